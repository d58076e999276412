# GoogleTest from the Debian source package, built for the current toolchain, and the way the
# project registers its tests: natively one CTest test per case, under Wine one per test program
# (every Wine start costs time), all of them inside the build tree's own Wine prefix.

set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
set(VARNEL_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources (Debian: libgtest-dev)")
add_subdirectory(${VARNEL_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

include(GoogleTest)

# Windows programs built on Linux run under Wine; built on Windows they run as they are.
if(WIN32 AND CMAKE_CROSSCOMPILING)
  set(VARNEL_UNDER_WINE ON)
endif()

if(VARNEL_UNDER_WINE)
  set(VARNEL_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/scripts/wine-run ${VARNEL_WINEPREFIX})

  add_test(NAME wine_prefix_setup
           COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-prefix setup ${VARNEL_WINEPREFIX})
  set_tests_properties(wine_prefix_setup PROPERTIES FIXTURES_SETUP WinePrefix TIMEOUT 300)
  add_test(NAME wine_prefix_cleanup
           COMMAND ${CMAKE_SOURCE_DIR}/scripts/wine-prefix cleanup ${VARNEL_WINEPREFIX})
  set_tests_properties(wine_prefix_cleanup PROPERTIES FIXTURES_CLEANUP WinePrefix)

  # The proxy/stub DLL and the HDA simulation server, registered in the prefix for every test
  # that talks to an OPC HDA server; the cleanup also stops servers a test left running.
  set(hda_servers_args ${VARNEL_WINEPREFIX} $<TARGET_FILE:VarnelOpcPs> $<TARGET_FILE:hdasim>)
  add_test(NAME hda_servers_setup COMMAND ${CMAKE_SOURCE_DIR}/scripts/hda-servers setup ${hda_servers_args})
  set_tests_properties(hda_servers_setup PROPERTIES FIXTURES_SETUP HdaServers FIXTURES_REQUIRED WinePrefix
                                                    RESOURCE_LOCK ComRegistry TIMEOUT 180)
  add_test(NAME hda_servers_cleanup COMMAND ${CMAKE_SOURCE_DIR}/scripts/hda-servers cleanup ${hda_servers_args})
  set_tests_properties(hda_servers_cleanup PROPERTIES FIXTURES_CLEANUP HdaServers FIXTURES_REQUIRED WinePrefix
                                                      RESOURCE_LOCK ComRegistry TIMEOUT 180)
endif()

if(VARNEL_UNDER_WINE)
  # The WinePrefix fixture also runs the tree's Xvfb; its display is written here, where
  # wine-run and the GUI tests read it.
  set(VARNEL_XVFB_STATE ${CMAKE_BINARY_DIR}/xvfb)

  # A print spooler of the tree's own with a PDF queue, for the printing tests (scripts/cups).
  set(VARNEL_CUPS_STATE ${CMAKE_BINARY_DIR}/cups)
  add_test(NAME cups_setup COMMAND ${CMAKE_SOURCE_DIR}/scripts/cups start ${VARNEL_CUPS_STATE})
  set_tests_properties(cups_setup PROPERTIES FIXTURES_SETUP Cups TIMEOUT 60 SKIP_RETURN_CODE 77)
  add_test(NAME cups_cleanup COMMAND ${CMAKE_SOURCE_DIR}/scripts/cups stop ${VARNEL_CUPS_STATE})
  set_tests_properties(cups_cleanup PROPERTIES FIXTURES_CLEANUP Cups TIMEOUT 60)
endif()

# varnel_add_gtest(<name> SOURCES <files...> LIBS <targets...>)
function(varnel_add_gtest name)
  cmake_parse_arguments(arg "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${arg_SOURCES})
  varnel_target_defaults(${name})
  target_link_libraries(${name} PRIVATE ${arg_LIBS} GTest::gmock GTest::gtest_main)
  if(WIN32)
    # Names a case that hangs and ends its program long before the test driver's time-out.
    target_link_libraries(${name} PRIVATE varnel_case_watchdog)
  endif()
  if(VARNEL_UNDER_WINE)
    add_test(NAME ${name} COMMAND ${name})
    # A crash inside a test program (or a COM server it started) must fail the test even where
    # Wine's debugger leaves the exit code at 0.
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED WinePrefix LABELS wine
                         FAIL_REGULAR_EXPRESSION "Unhandled exception:|wine: Unhandled")
  elseif(WIN32)
    add_test(NAME ${name} COMMAND ${name})
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
  endif()
endfunction()
