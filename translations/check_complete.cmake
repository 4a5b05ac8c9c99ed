# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a .ts file lacks a finished translation of a text that the
# sources mark: runs lupdate on a copy of each (LUPDATE, ARGUMENTS, TS_FILES,
# WORK_DIR given with -D) and looks for unfinished messages in the result.

foreach(ts IN LISTS TS_FILES)
  get_filename_component(name ${ts} NAME)
  set(copy ${WORK_DIR}/check-${name})
  configure_file(${ts} ${copy} COPYONLY)
  execute_process(COMMAND ${LUPDATE} ${ARGUMENTS} -ts ${copy} RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "lupdate failed on ${name}")
  endif()
  file(STRINGS ${copy} unfinished REGEX "type=\"unfinished\"")
  file(STRINGS ${copy} sources REGEX "<source>")
  list(LENGTH unfinished missing)
  list(LENGTH sources texts)
  if(missing GREATER 0 OR texts EQUAL 0)
    message(FATAL_ERROR "${name}: ${missing} of ${texts} texts without a finished translation "
                        "(cmake --build BUILD --target update_translations, then translate them)")
  endif()
  message(STATUS "${name}: all ${texts} texts translated")
endforeach()
