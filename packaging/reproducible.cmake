# The Debian package, the Windows zip and the site come out byte for byte the same from
# the same commit, wherever and whenever they are built. Here: the time their entries
# carry, the last commit's, and no link time in a Windows program. The package and the
# zip apply it (cpack_dates.cmake, windows/zip_folder.cmake); tools/same_twice.sh checks.

# The day this version was released: the metainfo's release, the Debian changelog, the
# manual page, and the time of a build from sources outside git.
set(KRAX_RELEASE_DATE 2026-12-09)
find_program(DATE date REQUIRED)
execute_process(COMMAND ${DATE} -u -d ${KRAX_RELEASE_DATE} +%s OUTPUT_VARIABLE KRAX_RELEASE_EPOCH
                OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)

# KRAX_SOURCE_DATE_EPOCH, in seconds: SOURCE_DATE_EPOCH when it is set, as every
# reproducible build honours it, else the last commit's time.
function(krax_source_date_epoch)
  set(epoch $ENV{SOURCE_DATE_EPOCH})
  if(NOT epoch)
    find_package(Git QUIET)
    if(Git_FOUND)
      execute_process(COMMAND ${GIT_EXECUTABLE} log -1 --format=%ct WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                      OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    endif()
  endif()
  if(NOT epoch)
    set(epoch ${KRAX_RELEASE_EPOCH})
  endif()
  if(NOT epoch MATCHES "^[0-9]+$")
    message(FATAL_ERROR "SOURCE_DATE_EPOCH must be a whole number of seconds, not \"${epoch}\"")
  endif()
  set(KRAX_SOURCE_DATE_EPOCH ${epoch} PARENT_SCOPE)
endfunction()
krax_source_date_epoch()

# Written only when it changes, so that what carries the time is made again then alone.
set(KRAX_SOURCE_DATE_FILE ${PROJECT_BINARY_DIR}/source_date_epoch.txt)
file(CONFIGURE OUTPUT ${KRAX_SOURCE_DATE_FILE} CONTENT "${KRAX_SOURCE_DATE_EPOCH}\n")

# A Windows program's header holds the time it was linked, unless told not to.
if(WIN32)
  add_link_options(-Wl,--no-insert-timestamp)
endif()
