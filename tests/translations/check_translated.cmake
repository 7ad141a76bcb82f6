# SPDX-FileCopyrightText: 2026 The Pintabel developers
# SPDX-License-Identifier: GPL-2.0-or-later
# Fails when a text of the sources has no finished translation in TS_FILE. The .ts itself is
# left alone: lupdate works on a copy.

set(copy ${WORK_DIR}/checked.ts)
file(COPY_FILE ${TS_FILE} ${copy})
execute_process(COMMAND ${LUPDATE} ${LUPDATE_OPTIONS} @${SOURCES_LIST} -ts ${copy}
  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "lupdate failed:\n${output}")
endif()
# A text lupdate cannot take (tr() outside a class that declares it, for one) is never offered
# for translation and would show in Japanese to everyone: lupdate's warning about its line
# fails the test as a text left out does.
string(REGEX MATCHALL "[^\n]*:[0-9]+: [^\n]*" unread "${output}")
if(unread)
  list(JOIN unread "\n" listed)
  message(FATAL_ERROR "lupdate could not take these texts; call tr() or "
    "QCoreApplication::translate() with the text itself:\n${listed}")
endif()
file(READ ${copy} ts)
# Each message on one line of its own, so a regular expression can pair source and state.
string(REPLACE "\n" " " ts "${ts}")
string(REPLACE "</message>" "</message>\n" ts "${ts}")
string(REGEX MATCHALL "<source>[^\n]*</source>[^\n]*type=\"unfinished\"" unfinished "${ts}")
list(LENGTH unfinished count)
if(count GREATER 0)
  list(JOIN unfinished "\n" listed)
  message(FATAL_ERROR "${count} text(s) without an English translation; refresh with "
    "`cmake --build build --target update_translations` and translate them in ${TS_FILE}:\n"
    "${listed}")
endif()
message(STATUS "${output}")
