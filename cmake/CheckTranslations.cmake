# cmake -DLUPDATE=<lupdate> -DTS=<file.ts> -DSOURCES=<folder> -DSCRATCH=<file.ts> -P CheckTranslations.cmake
#
# Fails when a text of SOURCES has no finished translation in TS: lupdate, run
# into a scratch copy so the committed file stays as it is, marks a text new
# since the last update "unfinished" and a translation whose text is gone
# "vanished" (or "obsolete"). Each such text is named.
foreach(var LUPDATE TS SOURCES SCRATCH)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "CheckTranslations.cmake needs -D${var}=...")
  endif()
endforeach()

configure_file(${TS} ${SCRATCH} COPYONLY)
execute_process(COMMAND ${LUPDATE} -silent -locations none ${SOURCES} -ts ${SCRATCH}
  RESULT_VARIABLE status ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "lupdate failed (${status}): ${errors}")
endif()

file(STRINGS ${SCRATCH} lines ENCODING UTF-8)
set(source "")
set(offenders "")
foreach(line IN LISTS lines)
  if(line MATCHES "<source>([^<]*)")
    set(source "${CMAKE_MATCH_1}")
  elseif(line MATCHES "type=\"(unfinished|vanished|obsolete)\"")
    string(APPEND offenders "\n  ${CMAKE_MATCH_1}: ${source}")
  endif()
endforeach()
if(offenders)
  get_filename_component(name ${TS} NAME)
  message(FATAL_ERROR "${name} is not complete; translate these texts and run the update_translations target:${offenders}")
endif()
