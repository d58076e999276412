# What a release is made of: the one version of every binary and package (the project's VERSION
# in the top-level CMakeLists.txt; the about box shows its own text and does not follow it), the
# version resource each shipped binary gets, and the packages' names and the way they are made.
set(VARNEL_VERSION ${PROJECT_VERSION})
if(NOT VARNEL_VERSION MATCHES "^[0-9]+\\.[0-9]+\\.[0-9]+\\.[0-9]+$")
  message(FATAL_ERROR "the project's version has four numbers (a.b.c.d), not '${VARNEL_VERSION}'")
endif()
string(REPLACE "." "," VARNEL_VERSION_COMMAS ${VARNEL_VERSION})

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(VARNEL_PACKAGE_ARCH x64)
else()
  set(VARNEL_PACKAGE_ARCH x86)
endif()
set(VARNEL_PACKAGE_DIR ${CMAKE_BINARY_DIR}/packages)
# The portable folder as it is zipped; the setup program takes its files from there too.
set(VARNEL_PACKAGE_STAGE ${VARNEL_PACKAGE_DIR}/stage/Varnel-${VARNEL_VERSION}-${VARNEL_PACKAGE_ARCH})
set(VARNEL_PACKAGE_STAGE_STAMP ${VARNEL_PACKAGE_DIR}/stage/staged)
set(VARNEL_MANUALS_NSH ${VARNEL_PACKAGE_DIR}/manuals.nsh)
set(VARNEL_SETUP ${VARNEL_PACKAGE_DIR}/Varnel-${VARNEL_VERSION}-${VARNEL_PACKAGE_ARCH}-setup.exe)
set(VARNEL_PORTABLE_ZIP ${VARNEL_PACKAGE_DIR}/Varnel-${VARNEL_VERSION}-${VARNEL_PACKAGE_ARCH}-portable.zip)

# varnel_version_info(<target> DESCRIPTION <text>)
# Gives a program or DLL its version resource: file and product version, company, description and
# file name.
function(varnel_version_info target)
  cmake_parse_arguments(arg "" "DESCRIPTION" "" ${ARGN})
  if(NOT arg_DESCRIPTION)
    message(FATAL_ERROR "varnel_version_info(${target}): DESCRIPTION is missing")
  endif()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "SHARED_LIBRARY")
    set(VARNEL_FILE_TYPE VFT_DLL)
    set(suffix .dll)
  elseif(type STREQUAL "EXECUTABLE")
    set(VARNEL_FILE_TYPE VFT_APP)
    set(suffix .exe)
  else()
    message(FATAL_ERROR "varnel_version_info(${target}): not a program or DLL (${type})")
  endif()
  get_target_property(base_name ${target} OUTPUT_NAME)
  if(NOT base_name)
    set(base_name ${target})
  endif()
  set(VARNEL_FILE_NAME ${base_name}${suffix})
  set(VARNEL_INTERNAL_NAME ${base_name})
  set(VARNEL_FILE_DESCRIPTION "${arg_DESCRIPTION}")
  set(rc ${CMAKE_BINARY_DIR}/generated/version/${target}_version.rc)
  configure_file(${CMAKE_SOURCE_DIR}/cmake/version_info.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
endfunction()

# varnel_setup_program(OUTPUT <setup.exe> VERSION <a.b.c.d>)
# The NSIS setup program of the staged folder, under the given version (the tests make one of an
# older version to upgrade from).
function(varnel_setup_program)
  cmake_parse_arguments(arg "" "OUTPUT;VERSION" "" ${ARGN})
  add_custom_command(
    OUTPUT ${arg_OUTPUT}
    COMMAND ${VARNEL_MAKENSIS} -V2 -WX -DVERSION=${arg_VERSION} -DARCH=${VARNEL_PACKAGE_ARCH}
            -DSTAGE_DIR=${VARNEL_PACKAGE_STAGE} -DSOURCE_DIR=${CMAKE_SOURCE_DIR}
            -DMANUALS=${VARNEL_MANUALS_NSH} -DOUT_FILE=${arg_OUTPUT}
            ${CMAKE_SOURCE_DIR}/packaging/varnel.nsi
    DEPENDS ${VARNEL_PACKAGE_STAGE_STAMP} ${VARNEL_MANUALS_NSH} ${CMAKE_SOURCE_DIR}/packaging/varnel.nsi
            ${CMAKE_SOURCE_DIR}/app/res/varnel.ico ${CMAKE_SOURCE_DIR}/app/resource.h
    COMMENT "makensis: ${arg_OUTPUT}"
    VERBATIM)
endfunction()
