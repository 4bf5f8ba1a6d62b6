# Packs FOLDER, below DIR, into ZIP the same way every time: its entries in name order,
# each dated EPOCH and with the same rights wherever it is built, and without the extra
# fields of zip's own that hold the packer's user and the times to the second.
#   cmake -DDIR=parent -DFOLDER=name -DZIP=out.zip -DEPOCH=seconds -P zip_folder.cmake
find_program(ZIP_PROGRAM zip REQUIRED)
find_program(TOUCH touch REQUIRED)

file(GLOB_RECURSE entries LIST_DIRECTORIES true RELATIVE ${DIR} ${DIR}/${FOLDER}/*)
list(APPEND entries ${FOLDER})
list(SORT entries)

set(executable OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(readable OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
foreach(entry IN LISTS entries)
  if(IS_DIRECTORY ${DIR}/${entry} OR entry MATCHES "\\.exe$")
    file(CHMOD ${DIR}/${entry} PERMISSIONS ${executable})
  else()
    file(CHMOD ${DIR}/${entry} PERMISSIONS ${readable})
  endif()
endforeach()
execute_process(COMMAND ${TOUCH} -d @${EPOCH} ${entries} WORKING_DIRECTORY ${DIR} COMMAND_ERROR_IS_FATAL ANY)

# zip writes each entry's time as a local time.
set(ENV{TZ} UTC)
file(REMOVE ${ZIP})
execute_process(COMMAND ${ZIP_PROGRAM} -q -X ${ZIP} ${entries} WORKING_DIRECTORY ${DIR} COMMAND_ERROR_IS_FATAL ANY)
