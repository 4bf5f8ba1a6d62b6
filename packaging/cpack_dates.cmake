# Read by cpack: the package's entries are dated by SOURCE_DATE_EPOCH, the time the
# build was configured with.
set(ENV{SOURCE_DATE_EPOCH} ${CPACK_KRAX_SOURCE_DATE_EPOCH})
