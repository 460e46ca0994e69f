# Compiles the help: cmake -DSOURCE_DIR=... -DPAGES=<the files of the project, comma-separated>
#   -DWORK_DIR=... -DOUTPUT=... -DCHMCMD=... -DICONV=... -P BuildHelp.cmake
#
# The sources are UTF-8; the compiled help is Japanese HTML help, whose pages, contents and
# index the viewers read in code page 932, as its language (0x411) says. Each source is
# converted, its declared charset with it. xchm's HTML view breaks lines only at spaces, so a
# space after each "、" and "。" of a page lets Japanese text wrap at the window's width.
cmake_policy(VERSION 3.25)

file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
string(REPLACE "," ";" pages "${PAGES}")
foreach(name tblaunch.hhp contents.hhc index.hhk ${pages})
  file(READ ${SOURCE_DIR}/${name} text)
  string(REPLACE "charset=UTF-8" "charset=Shift_JIS" text "${text}")
  if(name MATCHES "\\.html$")
    string(REPLACE "、" "、 " text "${text}")
    string(REPLACE "。" "。 " text "${text}")
  endif()
  file(WRITE ${WORK_DIR}/${name}.utf8 "${text}")
  execute_process(COMMAND ${ICONV} -f UTF-8 -t CP932 ${WORK_DIR}/${name}.utf8
                  OUTPUT_FILE ${WORK_DIR}/${name} RESULT_VARIABLE failed ERROR_VARIABLE why)
  if(failed)
    message(FATAL_ERROR "help/${name}: not writable in code page 932: ${why}")
  endif()
  file(REMOVE ${WORK_DIR}/${name}.utf8)
endforeach()

execute_process(COMMAND ${CHMCMD} tblaunch.hhp WORKING_DIRECTORY ${WORK_DIR}
                RESULT_VARIABLE failed OUTPUT_VARIABLE log ERROR_VARIABLE log)
# chmcmd reports a link to a missing page or anchor but still succeeds; so does not this.
if(failed OR log MATCHES "(Error|Warning|Hint)")
  message(FATAL_ERROR "chmcmd failed on help/tblaunch.hhp:\n${log}")
endif()
file(COPY_FILE ${WORK_DIR}/tblaunch.chm ${OUTPUT})
