# CPack: a runtime package (the shared libraries) and a development package (headers, the linker
# names of the shared libraries, the static reference host and the CMake package), as Debian packages
# and as tarballs:  cpack --preset default  (or -G DEB / -G TGZ in build/default). With the Qt bridge
# built, two more: its runtime package (the bridge's shared library) and its development package (its
# headers and the CMake package's component QtBridge).
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

if(TARGET ORX2_QtBridge)
    list(APPEND CPACK_COMPONENTS_ALL QtBridgeRuntime QtBridgeDevelopment)
    set(CPACK_COMPONENT_QTBRIDGERUNTIME_DEPENDS Runtime)
    set(CPACK_COMPONENT_QTBRIDGEDEVELOPMENT_DEPENDS QtBridgeRuntime Development)
    set(CPACK_DEBIAN_QTBRIDGERUNTIME_PACKAGE_NAME liborx2-qtbridge${PROJECT_VERSION_MAJOR})
    set(CPACK_DEBIAN_QTBRIDGERUNTIME_PACKAGE_SECTION libs)
    set(CPACK_DEBIAN_QTBRIDGERUNTIME_PACKAGE_SHLIBDEPS ON)
    # dpkg-shlibdeps finds the library's own shared libraries in the build tree (the dependency on their
    # package is the component's); Qt's and the system's it finds in their packages.
    get_target_property(common_dir ORX2_Common BINARY_DIR)
    get_target_property(host_dir ORX2_Host BINARY_DIR)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${common_dir} ${host_dir})
    set(CPACK_DEBIAN_QTBRIDGEDEVELOPMENT_PACKAGE_NAME liborx2-qtbridge-dev)
    set(CPACK_DEBIAN_QTBRIDGEDEVELOPMENT_PACKAGE_SECTION libdevel)
    # Its headers include Qt's.
    set(CPACK_DEBIAN_QTBRIDGEDEVELOPMENT_PACKAGE_DEPENDS "qt6-base-dev (>= 6.4), qt6-declarative-dev (>= 6.4)")
endif()

include(CPack)
