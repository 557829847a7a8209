# The one place that asks which system the program is built for. Each file that
# differs per system has a twin in platform/posix/ and platform/windows/; the
# rest of the tree never asks.
if(WIN32)
  set(LUCKYDRAW_SYSTEM windows)
else()
  set(LUCKYDRAW_SYSTEM posix)
endif()
set(system_dir "${CMAKE_CURRENT_LIST_DIR}/${LUCKYDRAW_SYSTEM}")

# Qt-free, built into the draw layer: reading and replacing files, the
# executable's own folder.
set(LUCKYDRAW_DRAW_SYSTEM_SOURCES "${system_dir}/executable_folder.cpp" "${system_dir}/file_reading.cpp")
# With Qt, built into platform: sound, editor launch, held keys.
set(LUCKYDRAW_PLATFORM_SYSTEM_SOURCES
  "${system_dir}/detectable_auto_repeat.cpp"
  "${system_dir}/draw_folder_lock.cpp"
  "${system_dir}/editor_launch.cpp"
  "${system_dir}/sound_voice.cpp"
)

if(LUCKYDRAW_SYSTEM STREQUAL "windows")
  list(APPEND LUCKYDRAW_DRAW_SYSTEM_SOURCES
    "${system_dir}/atomic_file.cpp")
  # PlaySound plays the WAV files: no Qt Multimedia on Windows.
  set(LUCKYDRAW_QT_SYSTEM_COMPONENTS)
  set(LUCKYDRAW_PLATFORM_SYSTEM_LIBRARIES winmm)
  # The program's icon in Explorer and on the task bar.
  set(LUCKYDRAW_PROGRAM_SYSTEM_SOURCES "${system_dir}/luckydraw.rc")
else()
  # The POSIX save predates this split and still lives in draw/.
  list(APPEND LUCKYDRAW_DRAW_SYSTEM_SOURCES "${CMAKE_CURRENT_LIST_DIR}/../draw/atomic_file.cpp")
  set(LUCKYDRAW_QT_SYSTEM_COMPONENTS Multimedia)
  set(LUCKYDRAW_PROGRAM_SYSTEM_SOURCES)
  set(LUCKYDRAW_PLATFORM_SYSTEM_LIBRARIES Qt6::Multimedia)
  # Detectable auto-repeat is asked of the X server through Qt's own connection.
  find_package(PkgConfig QUIET)
  if(PkgConfig_FOUND)
    pkg_check_modules(XCB_XKB QUIET IMPORTED_TARGET xcb-xkb)
  endif()
  if(XCB_XKB_FOUND)
    list(APPEND LUCKYDRAW_PLATFORM_SYSTEM_LIBRARIES PkgConfig::XCB_XKB)
    set(LUCKYDRAW_PLATFORM_SYSTEM_DEFINITIONS LUCKYDRAW_HAVE_XCB_XKB)
  else()
    message(STATUS "xcb-xkb not found: held keys rely on the key repeat filter alone")
  endif()
endif()
