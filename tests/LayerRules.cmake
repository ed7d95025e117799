# The layers of the program point one way: app, batch, tools -> ui -> output -> core.
#   cmake -DSRC=<source tree>/src -P LayerRules.cmake
# Fails naming every file and line that breaks a rule:
#   core   includes no QtGui, QtWidgets or QtPrintSupport header and nothing of output, ui,
#          app or batch; no header of it names QWidget, QPrinter or a screen class;
#   output includes no QtWidgets or Qt Charts header and nothing of ui, app or batch;
#   ui     includes nothing of app or batch.
cmake_policy(SET CMP0007 NEW)
set(gui_headers "QtGui|QtWidgets|QtPrintSupport|QWidget|QPrinter|QPainter|QPixmap|QImage|QColor|QFont|QIcon|QPdfWriter|QApplication|QGuiApplication|QDialog|QMainWindow|QMessageBox|QAction|QMenu|QLabel|QLineEdit|QPushButton|QTableWidget|QScreen|QPageLayout|QTextDocument")
set(widget_headers "QtWidgets|QWidget|QApplication|QDialog|QMainWindow|QMessageBox|QMenu|QLabel|QLineEdit|QPushButton|QTableWidget|QMdiArea|QToolBar|QComboBox|QCheckBox|QtCharts|QChart[A-Za-z]*")
set(screens "FrmArrangement|FrmAuswertung|FrmAusdruck|FrmFormular|FrmSonder|FrmStart|FrmLogo|FrmBusy|FrmVertreter|FrmAbout|FrmKommentar|DialogEingabe|MotionDialog|ForceGrid|LoadCaseTabs|FrmDiagramm")
set(broken "")

function(check layer pattern what)
  file(GLOB_RECURSE files ${SRC}/${layer}/*.h ${SRC}/${layer}/*.cpp)
  foreach(f IN LISTS files)
    file(STRINGS ${f} lines REGEX "${pattern}")
    foreach(line IN LISTS lines)
      file(RELATIVE_PATH rel ${SRC} ${f})
      string(STRIP "${line}" line)
      list(APPEND broken "src/${rel}: ${what}: ${line}")
    endforeach()
  endforeach()
  set(broken "${broken}" PARENT_SCOPE)
endfunction()

check(core "^#include [<\"](${gui_headers})[>/.]" "a header of QtGui, QtWidgets or QtPrintSupport")
check(core "^#include \"(output|ui|app|batch)/" "a file of a higher layer")
check(output "^#include [<\"](${widget_headers})[>/.]" "a header of QtWidgets or Qt Charts")
check(output "^#include \"(ui|app|batch)/" "a file of a higher layer")
check(ui "^#include \"(app|batch)/" "a file of a higher layer")
# Core headers name no widget, printer or screen (a screen's name in quotes is a text).
file(GLOB_RECURSE core_headers ${SRC}/core/*.h)
foreach(f IN LISTS core_headers)
  file(STRINGS ${f} lines REGEX "(^|[^\"A-Za-z_])(QWidget|QPrinter|${screens})([^A-Za-z_\"]|$)")
  foreach(line IN LISTS lines)
    file(RELATIVE_PATH rel ${SRC} ${f})
    string(STRIP "${line}" line)
    list(APPEND broken "src/${rel}: names a widget, printer or screen: ${line}")
  endforeach()
endforeach()

if(broken)
  list(JOIN broken "\n" text)
  message(FATAL_ERROR "Layer rules broken:\n${text}")
endif()
message(STATUS "Layer rules hold")
