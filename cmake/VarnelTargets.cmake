# Compiler settings shared by every target of the project.

function(varnel_target_defaults target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow)
  if(VARNEL_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
  if(WIN32)
    target_compile_definitions(${target} PRIVATE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
                                                 _WIN32_WINNT=0x0601)
  endif()
  target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR})
endfunction()

if(VARNEL_SANITIZE AND NOT WIN32)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

if(VARNEL_FUZZ AND NOT WIN32)
  # Coverage for libFuzzer and the sanitizers in every library the fuzz targets link.
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# A static library of the portable core: it must build without <windows.h>.
function(varnel_core_library target)
  add_library(${target} STATIC ${ARGN})
  varnel_target_defaults(${target})
endfunction()
