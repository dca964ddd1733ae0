# The Debian package, built by CPack from the install rules: cpack -G DEB in a build folder.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pattern-generator)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Pattern Generator developers")
set(CPACK_PACKAGE_CONTACT "The Pattern Generator developers <developers@patterngenerator.org>")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# A cross build is packaged for the architecture it was built for, not the builder's.
if(CMAKE_CROSSCOMPILING)
    execute_process(COMMAND dpkg-architecture -t${CMAKE_LIBRARY_ARCHITECTURE} -qDEB_HOST_ARCH
        OUTPUT_VARIABLE CPACK_DEBIAN_PACKAGE_ARCHITECTURE
        OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET COMMAND_ERROR_IS_FATAL ANY)
endif()
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-wayland)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "random colour pattern generator\n"
    "Pattern Generator opens one small window with a square canvas and a\n"
    "button labelled 'new'. When the window opens, and at every press of the\n"
    "button, it draws a fresh colour pattern of 501 x 501 points.\n"
    ".\n"
    "Each pattern comes from ten random values seeded with the time of day and\n"
    "a fixed rule of sines and cosines of each point's distance from the centre\n"
    "and of its angle, so every channel has its own rotational symmetry. The\n"
    "program needs no configuration and reads and writes no files.")
string(JOIN "" CPACK_DEBIAN_PACKAGE_DESCRIPTION ${CPACK_DEBIAN_PACKAGE_DESCRIPTION})
include(CPack)
