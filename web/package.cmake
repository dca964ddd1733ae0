# What is put on a web server: the site, with the licence, in a zip that is the same bytes
# on every build of the same sources. Its times are SOURCE_DATE_EPOCH's, 2026-01-01 where
# it is not set.
set(web_package_name pattern-generator-${PROJECT_VERSION}-web)
set(web_package_dir ${CMAKE_CURRENT_BINARY_DIR}/package/${web_package_name})
set(PATTERN_WEB_ZIP ${CMAKE_BINARY_DIR}/${web_package_name}.zip)
set(source_date_epoch $ENV{SOURCE_DATE_EPOCH})
if(NOT source_date_epoch)
    set(source_date_epoch 1767225600)
endif()

# zip -X leaves out the owner and the extended times; the files go in by name, in an order
# that does not depend on the file system, with their modes and times set first and the
# times read in UTC.
find_program(ZIP zip REQUIRED)
file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/package)
add_custom_command(OUTPUT ${PATTERN_WEB_ZIP}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${web_package_dir} ${PATTERN_WEB_ZIP}
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${site} ${web_package_dir}
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/LICENSE ${web_package_dir}/LICENSE.txt
    COMMAND find ${web_package_dir} -type d -exec chmod 0755 {} +
    COMMAND find ${web_package_dir} -type f -exec chmod 0644 {} +
    COMMAND find ${web_package_dir} -exec touch -d @${source_date_epoch} {} +
    COMMAND sh -c "find ${web_package_name} | LC_ALL=C sort | TZ=UTC ${ZIP} -q -X -D ${PATTERN_WEB_ZIP} -@"
    DEPENDS ${site}/service_worker.js ${PROJECT_SOURCE_DIR}/LICENSE
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/package
    COMMENT "Making the site's zip"
    VERBATIM)
add_custom_target(web_package ALL DEPENDS ${PATTERN_WEB_ZIP})
