# Cross-builds for 64-bit Windows on Linux with Debian's MinGW-w64 (POSIX threads), against the Qt for
# Windows in -DKLINGPORT_QT_WINDOWS=… or the environment variable of that name; Debian's own Qt of the
# same version supplies moc, rcc and uic. Without a prefix it builds that Qt itself (scripts/qt-windows.sh).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)

set(KLINGPORT_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER /usr/bin/${KLINGPORT_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER /usr/bin/${KLINGPORT_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER /usr/bin/${KLINGPORT_MINGW}-windres)

if(NOT KLINGPORT_QT_WINDOWS)
  set(KLINGPORT_QT_WINDOWS "$ENV{KLINGPORT_QT_WINDOWS}")
endif()
if(KLINGPORT_QT_WINDOWS)
  if(NOT EXISTS "${KLINGPORT_QT_WINDOWS}/lib/cmake/Qt6/Qt6Config.cmake")
    message(FATAL_ERROR "No Qt for Windows at '${KLINGPORT_QT_WINDOWS}' (scripts/qt-windows.sh builds one)")
  endif()
  # try_compile projects read this file again and need the prefix too.
  list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES KLINGPORT_QT_WINDOWS)
  list(PREPEND CMAKE_FIND_ROOT_PATH "${KLINGPORT_QT_WINDOWS}")
  list(PREPEND CMAKE_PREFIX_PATH "${KLINGPORT_QT_WINDOWS}")
endif()
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${KLINGPORT_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)
