# SPDX-License-Identifier: GPL-3.0-or-later
# Precompiled headers: Qt's and GoogleTest's headers are most of what each
# window and test source costs to compile (about a third of a sanitizer build
# of the window and its tests). Off with -DBKF_PRECOMPILED_HEADERS=OFF, to
# check that every source includes what it uses.
option(BKF_PRECOMPILED_HEADERS "Precompile the Qt and GoogleTest headers" ON)

set(BKF_STD_PCH <algorithm> <cstdint> <functional> <memory> <optional> <string> <vector>)
set(BKF_QT_PCH <QAbstractItemModel> <QApplication> <QCheckBox> <QHeaderView> <QKeyEvent> <QLabel>
               <QLineEdit> <QMenu> <QPainter> <QPushButton> <QString> <QTableView> <QTimer> <QTreeView>
               <QWidget>)

# bkf_precompile_headers(TARGET [QT] [TESTS]): the standard headers, with QT
# Qt's widgets, with TESTS GoogleTest (and QtTest with QT).
function(bkf_precompile_headers target)
  if(NOT BKF_PRECOMPILED_HEADERS)
    return()
  endif()
  cmake_parse_arguments(PCH "QT;TESTS" "" "" ${ARGN})
  set(headers ${BKF_STD_PCH})
  if(PCH_QT)
    list(APPEND headers ${BKF_QT_PCH})
  endif()
  if(PCH_TESTS)
    list(APPEND headers <gtest/gtest.h>)
    if(PCH_QT)
      list(APPEND headers <QSignalSpy> <QTest>)
    endif()
  endif()
  target_precompile_headers(${target} PRIVATE ${headers})
endfunction()
