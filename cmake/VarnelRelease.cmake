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

# The files that ship: the five binaries, and Ambrel's developer files.
set(VARNEL_SHIPPED_TARGETS Varnel Ambrel varnel-cli VarnelOpcPs hdasim)

# varnel_stage(FOLDER <folder> MANUAL_DIR <folder> MANUALS_NSH <file> STAMP <file>)
# The portable folder (packaging/stage.cmake): the shipped binaries stripped, the developer files,
# the user manuals in MANUAL_DIR; MANUALS_NSH tells the setup program which manuals to install.
function(varnel_stage)
  cmake_parse_arguments(arg "" "FOLDER;MANUAL_DIR;MANUALS_NSH;STAMP" "" ${ARGN})
  set(programs)
  foreach(target IN LISTS VARNEL_SHIPPED_TARGETS)
    list(APPEND programs $<TARGET_FILE:${target}>)
  endforeach()
  set(developer_files ${CMAKE_SOURCE_DIR}/ambrel/ambrel.h ${CMAKE_SOURCE_DIR}/ambrel/CHANGELOG.md
                      $<TARGET_LINKER_FILE:Ambrel>)
  set(readme ${CMAKE_SOURCE_DIR}/packaging/portable-readme.txt)
  file(GLOB manuals CONFIGURE_DEPENDS "${arg_MANUAL_DIR}/Varnel Help *.pdf")
  add_custom_command(
    OUTPUT ${arg_STAMP} ${arg_MANUALS_NSH}
    COMMAND ${CMAKE_COMMAND} -DSTAGE=${arg_FOLDER} -DSTRIP=${CMAKE_STRIP}
            "-DPROGRAMS=$<JOIN:${programs},|>" "-DDEVELOPER=$<JOIN:${developer_files},|>"
            -DMANUAL_DIR=${arg_MANUAL_DIR} -DREADME=${readme} -DMANUALS_NSH=${arg_MANUALS_NSH}
            -DSTAMP=${arg_STAMP} -P ${CMAKE_SOURCE_DIR}/packaging/stage.cmake
    DEPENDS ${VARNEL_SHIPPED_TARGETS} ${programs} ${developer_files} ${manuals} ${readme}
            ${CMAKE_SOURCE_DIR}/packaging/stage.cmake
    COMMENT "Staging ${arg_FOLDER}"
    VERBATIM)
endfunction()

# varnel_setup_program(OUTPUT <setup.exe> VERSION <a.b.c.d> FOLDER <staged folder>
#                      MANUALS_NSH <file> STAMP <file>)
# The NSIS setup program of a staged folder, under the given version (the tests make one of an
# older version to upgrade from).
function(varnel_setup_program)
  cmake_parse_arguments(arg "" "OUTPUT;VERSION;FOLDER;MANUALS_NSH;STAMP" "" ${ARGN})
  add_custom_command(
    OUTPUT ${arg_OUTPUT}
    COMMAND ${VARNEL_MAKENSIS} -V2 -WX -DVERSION=${arg_VERSION} -DARCH=${VARNEL_PACKAGE_ARCH}
            -DSTAGE_DIR=${arg_FOLDER} -DSOURCE_DIR=${CMAKE_SOURCE_DIR}
            -DMANUALS=${arg_MANUALS_NSH} -DOUT_FILE=${arg_OUTPUT}
            ${CMAKE_SOURCE_DIR}/packaging/varnel.nsi
    DEPENDS ${arg_STAMP} ${arg_MANUALS_NSH} ${CMAKE_SOURCE_DIR}/packaging/varnel.nsi
            ${CMAKE_SOURCE_DIR}/app/res/varnel.ico ${CMAKE_SOURCE_DIR}/app/resource.h
    COMMENT "makensis: ${arg_OUTPUT}"
    VERBATIM)
endfunction()
