# What a Windows user downloads: an installer made by NSIS, and a portable zip of the
# program with its licence. The program goes in stripped; the licence with Windows' line
# ends. Both are the same bytes on every build of the same sources: the zip's times are
# SOURCE_DATE_EPOCH's, 2026-01-01 where it is not set, and the installer records none.
set(windows_package_dir ${CMAKE_BINARY_DIR}/windows-package)
set(PATTERN_PROGRAM_FILE ${windows_package_dir}/pattern-generator.exe)
set(PATTERN_LICENCE_FILE ${windows_package_dir}/LICENSE.txt)
set(portable_name pattern-generator-${PROJECT_VERSION}-windows-x64)
set(PATTERN_INSTALLER ${CMAKE_BINARY_DIR}/pattern-generator-${PROJECT_VERSION}-setup.exe)
set(PATTERN_PORTABLE_ZIP ${CMAKE_BINARY_DIR}/${portable_name}.zip)
set(PATTERN_INSTALLED_KIB 1200) # the program and its uninstaller, roughly
set(source_date_epoch $ENV{SOURCE_DATE_EPOCH})
if(NOT source_date_epoch)
    set(source_date_epoch 1767225600)
endif()

configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${PATTERN_LICENCE_FILE} NEWLINE_STYLE CRLF)
add_custom_command(OUTPUT ${PATTERN_PROGRAM_FILE}
    COMMAND ${CMAKE_STRIP} -o ${PATTERN_PROGRAM_FILE} $<TARGET_FILE:pattern-generator>
    DEPENDS pattern-generator
    COMMENT "Stripping the program for the installer and the zip")

find_program(MAKENSIS makensis REQUIRED)
configure_file(installer.nsi.in ${windows_package_dir}/installer.nsi @ONLY)
add_custom_command(OUTPUT ${PATTERN_INSTALLER}
    COMMAND ${MAKENSIS} -V2 -NOCD ${windows_package_dir}/installer.nsi
    DEPENDS ${windows_package_dir}/installer.nsi ${PATTERN_PROGRAM_FILE} ${PATTERN_LICENCE_FILE}
            ${PATTERN_ICON_FILE}
    WORKING_DIRECTORY ${windows_package_dir}
    COMMENT "Making the installer")

# zip -X leaves out the owner and the extended times; the modes and the times of the files
# are set first, and the times are read in UTC.
find_program(ZIP zip REQUIRED)
set(portable_dir ${windows_package_dir}/${portable_name})
add_custom_command(OUTPUT ${PATTERN_PORTABLE_ZIP}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${portable_dir} ${PATTERN_PORTABLE_ZIP}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${portable_dir}
    COMMAND ${CMAKE_COMMAND} -E copy ${PATTERN_PROGRAM_FILE} ${PATTERN_LICENCE_FILE} ${portable_dir}
    COMMAND chmod 0755 ${portable_dir}
    COMMAND chmod 0644 ${portable_dir}/pattern-generator.exe ${portable_dir}/LICENSE.txt
    COMMAND touch -d @${source_date_epoch} ${portable_dir} ${portable_dir}/pattern-generator.exe
            ${portable_dir}/LICENSE.txt
    COMMAND ${CMAKE_COMMAND} -E env TZ=UTC ${ZIP} -q -X ${PATTERN_PORTABLE_ZIP}
            ${portable_name}/ ${portable_name}/LICENSE.txt ${portable_name}/pattern-generator.exe
    DEPENDS ${PATTERN_PROGRAM_FILE} ${PATTERN_LICENCE_FILE}
    WORKING_DIRECTORY ${windows_package_dir}
    COMMENT "Making the portable zip")

add_custom_target(windows_packages ALL DEPENDS ${PATTERN_INSTALLER} ${PATTERN_PORTABLE_ZIP})
