# Writes the site's service worker: every file of the site to cache, and a version
# made from their contents, so that any change to the site is a new worker.
#   cmake -DSITE=FOLDER -DTEMPLATE=service_worker.js.in -P service_worker.cmake
set(worker service_worker.js)
file(GLOB_RECURSE files RELATIVE ${SITE} ${SITE}/*)
list(REMOVE_ITEM files ${worker})
list(SORT files)
set(hashes "")
set(names "'./'")
foreach(file ${files})
  file(SHA256 ${SITE}/${file} hash)
  string(APPEND hashes "${file} ${hash}\n")
  string(APPEND names ", './${file}'")
endforeach()
string(SHA256 version "${hashes}")
string(SUBSTRING ${version} 0 16 KRAX_SITE_VERSION)
set(KRAX_SITE_FILES ${names})
configure_file(${TEMPLATE} ${SITE}/${worker} @ONLY)
