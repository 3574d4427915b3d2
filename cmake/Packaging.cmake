# CPack: a runtime package (the shared libraries) and a development package (headers, the linker
# names of the shared libraries, the static reference host and the CMake package), as Debian packages
# and as tarballs:  cpack --preset default  (or -G DEB / -G TGZ in build/default).
set(CPACK_PACKAGE_NAME ORX2_Common)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Business layer of an intraoral scan acquisition application: reactive framework, models, view models")
set(CPACK_PACKAGE_CONTACT "ORX2_Common maintainers <orx2-common@localhost>")
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/packages)
set(CPACK_GENERATOR DEB TGZ)
set(CPACK_COMPONENTS_ALL Runtime Development)
set(CPACK_COMPONENT_DEVELOPMENT_DEPENDS Runtime)

set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
# The shared libraries without their debugging information (17 MB with it, under 1 MB without); the static
# reference host keeps its symbols, which linking needs.
set(CPACK_STRIP_FILES ON)

# Debian names: the runtime package carries the SONAME's major version, the development package
# depends on exactly the runtime package of its own version.
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME liborx2-common${PROJECT_VERSION_MAJOR})
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME liborx2-common-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)

include(CPack)
