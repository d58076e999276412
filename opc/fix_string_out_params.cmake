# Repairs a widl 7 fault in the -Oif proxy code: for an [out] pointer to a string pointer
# (LPWSTR*, LPOLESTR*), the parameter's type offset points at the string pointer instead of the
# "[allocated_on_stack] [pointer_deref]" reference pointer just before it, so the stubs treat the
# caller's pointer slot as the string (the string comes back NULL or the call faults). The type
# format itself is right; only those parameter offsets are moved back onto the reference pointer.
# Usage: cmake -DFILE=<proxy.c> -P fix_string_out_params.cmake
file(READ ${FILE} text)
# A reference pointer [allocated_on_stack] [pointer_deref] to the entry right after it, which is a
# unique or full pointer to a conformant wide string.
set(pattern "/\\* ([0-9]+) \\([A-Za-z_]+ \\*\\) \\*/\n[ \t]*0x11, 0x14,[^\n]*\n[ \t]*NdrFcShort\\(0x2\\),[ \t]*/\\* Offset= 2 \\(([0-9]+)\\) \\*/\n/\\* [0-9]+ \\([A-Za-z_]+\\) \\*/\n[ \t]*0x1[23], 0x8,[^\n]*\n/\\*[ \t]*[0-9]+ \\*/\n[ \t]*0x25,")
string(REGEX MATCHALL "${pattern}" pointers "${text}")
set(fixed 0)
foreach(pointer IN LISTS pointers)
  string(REGEX REPLACE "${pattern}" "\\1" outer "${pointer}")
  string(REGEX REPLACE "${pattern}" "\\2" inner "${pointer}")
  math(EXPR inner_hex "${inner}" OUTPUT_FORMAT HEXADECIMAL)
  math(EXPR outer_hex "${outer}" OUTPUT_FORMAT HEXADECIMAL)
  set(wrong "NdrFcShort(${inner_hex}),\t/* type offset = ${inner} */")
  set(right "NdrFcShort(${outer_hex}),\t/* type offset = ${outer} */")
  string(FIND "${text}" "${wrong}" at)
  if(NOT at EQUAL -1)
    string(REPLACE "${wrong}" "${right}" text "${text}")
    math(EXPR fixed "${fixed} + 1")
  endif()
endforeach()
file(WRITE ${FILE} "${text}")
message(STATUS "fix_string_out_params: ${fixed} parameter offsets repaired in ${FILE}")
