# QScintilla ships no CMake package on Debian; wrap the library in an imported target.
find_library(QSCINTILLA_LIBRARY NAMES qscintilla2_qt6 REQUIRED)
find_path(QSCINTILLA_INCLUDE_DIR NAMES Qsci/qsciscintilla.h HINTS /usr/include/x86_64-linux-gnu/qt6 REQUIRED)
add_library(QScintilla::QScintilla UNKNOWN IMPORTED)
set_target_properties(QScintilla::QScintilla PROPERTIES
    IMPORTED_LOCATION ${QSCINTILLA_LIBRARY}
    INTERFACE_INCLUDE_DIRECTORIES ${QSCINTILLA_INCLUDE_DIR}
    INTERFACE_LINK_LIBRARIES "Qt6::Widgets;Qt6::PrintSupport")
