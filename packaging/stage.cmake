# Makes the portable folder that the zip holds and the setup program installs from: the programs
# and DLLs without their debugging information, Ambrel's developer files in Developer\, the user
# manuals there are in Help\ and the folder's README.txt; writes the include file that tells the
# setup program which manuals to install and remove; then touches the stamp.
#   cmake -DSTAGE=<folder> -DSTRIP=<strip> -DPROGRAMS=<file|file...> -DDEVELOPER=<file|file...>
#         -DMANUAL_DIR=<folder> -DREADME=<file> -DMANUALS_NSH=<file> -DSTAMP=<file> -P stage.cmake
foreach(var STAGE STRIP PROGRAMS DEVELOPER MANUAL_DIR README MANUALS_NSH STAMP)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "stage.cmake: -D${var}= is missing")
  endif()
endforeach()
string(REPLACE "|" ";" programs "${PROGRAMS}")
string(REPLACE "|" ";" developer_files "${DEVELOPER}")

file(REMOVE_RECURSE ${STAGE})
file(MAKE_DIRECTORY ${STAGE}/Developer)

foreach(program IN LISTS programs)
  get_filename_component(name ${program} NAME)
  execute_process(COMMAND ${STRIP} --strip-all -o ${STAGE}/${name} ${program}
                  RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "stage.cmake: ${STRIP} failed on ${program} (${result})")
  endif()
endforeach()

file(COPY ${developer_files} DESTINATION ${STAGE}/Developer)
# Notepad of older Windows versions wants CRLF.
configure_file(${README} ${STAGE}/README.txt @ONLY NEWLINE_STYLE CRLF)

# The manuals go to the Windows Help folder, where Varnel finds them from any start directory.
file(GLOB manuals "${MANUAL_DIR}/Varnel Help *.pdf")
set(install_manuals "")
set(uninstall_manuals "")
if(manuals)
  file(COPY ${manuals} DESTINATION ${STAGE}/Help)
  string(APPEND install_manuals "  SetOutPath \"$WINDIR\\Help\"\n")
endif()
foreach(manual IN LISTS manuals)
  get_filename_component(name ${manual} NAME)
  string(APPEND install_manuals "  File \"${STAGE}/Help/${name}\"\n")
  string(APPEND uninstall_manuals "  Delete \"$WINDIR\\Help\\${name}\"\n")
endforeach()
list(LENGTH manuals count)
file(WRITE ${MANUALS_NSH}
  "; The user manuals of this build (${count}), made by packaging/stage.cmake.\n"
  "!macro InstallManuals\n${install_manuals}!macroend\n"
  "!macro UninstallManuals\n${uninstall_manuals}!macroend\n")

file(TOUCH ${STAMP})
