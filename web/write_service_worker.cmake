# Writes the service worker for the site in SITE: the list of its files, and a cache name
# that is the digest of their contents, so that any change to the site renews the cache.
#
#     cmake -DSITE=folder -DTEMPLATE=service_worker.js.in -P write_service_worker.cmake
file(GLOB_RECURSE files RELATIVE ${SITE} ${SITE}/*)
list(REMOVE_ITEM files service_worker.js)
list(SORT files)
set(contents "")
set(SITE_FILES "'./'")
foreach(file IN LISTS files)
    file(SHA256 ${SITE}/${file} digest)
    string(APPEND contents "${file} ${digest}\n")
    string(APPEND SITE_FILES ", './${file}'")
endforeach()
string(SHA256 SITE_DIGEST "${contents}")
string(SUBSTRING ${SITE_DIGEST} 0 16 SITE_DIGEST)
configure_file(${TEMPLATE} ${SITE}/service_worker.js @ONLY)
