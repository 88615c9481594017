# SPDX-License-Identifier: MIT
# The tests that need a desktop session around them: an X server, D-Bus, the
# accessibility bus, Weston, a screen reader. tests/session.sh starts what
# each asks for, its own, and ends it with the test. They carry the label
# "session": a package build runs the other tests (ctest -LE session) and
# leaves these to the tests of the installed package (debian/tests).
#
# KRTD258_SESSION_TESTS: AUTO adds each where what it needs is found at
# configure time; ON adds every one, what it needs looked for when it runs
# (the package build, where none of it is installed); OFF adds none.
# KRTD258_TEST_PROGRAM: the program they start, by default the one built
# here (the package build names the installed /usr/bin/krtd258).
set(KRTD258_SESSION_TESTS AUTO CACHE STRING "Add the tests that need a desktop session: AUTO, ON or OFF")
set_property(CACHE KRTD258_SESSION_TESTS PROPERTY STRINGS AUTO ON OFF)
set(KRTD258_TEST_PROGRAM "" CACHE FILEPATH "The program the session tests start (empty: the one built here)")
if(KRTD258_TEST_PROGRAM)
  set(PROGRAM ${KRTD258_TEST_PROGRAM})
else()
  set(PROGRAM $<TARGET_FILE:krtd258>)
endif()

# Python with pyatspi, Debian's own python3 first; plain python3 where the
# tests are added whatever is installed.
find_program(SESSION_PYTHON NAMES python3 PATHS /usr/bin NO_DEFAULT_PATH)
if(NOT SESSION_PYTHON)
  set(SESSION_PYTHON python3)
endif()
if(NOT BASH_EXECUTABLE)
  set(BASH_EXECUTABLE bash)
endif()
set(SESSION ${BASH_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/session.sh)

# Whether each of the programs named is there (pyatspi: the Python module;
# at-spi-bus-launcher: in its libexec folder); lists the missing in VAR.
function(krtd258_missing var)
  set(missing)
  foreach(need IN LISTS ARGN)
    if(need STREQUAL "pyatspi")
      execute_process(COMMAND ${SESSION_PYTHON} -c "import pyatspi" RESULT_VARIABLE status OUTPUT_QUIET ERROR_QUIET)
      if(NOT status EQUAL 0)
        list(APPEND missing pyatspi)
      endif()
      continue()
    endif()
    string(MAKE_C_IDENTIFIER "SESSION_TOOL_${need}" found)
    find_program(${found} ${need} PATHS /usr/libexec /usr/lib/at-spi2-core)
    if(NOT ${found})
      list(APPEND missing ${need})
    endif()
  endforeach()
  set(${var} "${missing}" PARENT_SCOPE)
endfunction()

# One session test:
#   krtd258_add_session_test(NAME NEEDS program... [TIMEOUT s] [ENVIRONMENT var=value...] COMMAND ...)
# COMMAND runs inside tests/session.sh: its options first, then "--" and the
# test's own command.
function(krtd258_add_session_test name)
  cmake_parse_arguments(T "" "TIMEOUT" "NEEDS;ENVIRONMENT;COMMAND" ${ARGN})
  if(KRTD258_SESSION_TESTS STREQUAL "OFF")
    return()
  elseif(NOT KRTD258_SESSION_TESTS STREQUAL "ON")
    krtd258_missing(missing bash setpriv ${T_NEEDS})
    if(missing)
      string(REPLACE ";" ", " missing "${missing}")
      message(STATUS "No ${missing}: the session test ${name} is left out")
      return()
    endif()
  endif()
  add_test(NAME ${name} COMMAND ${SESSION} ${T_COMMAND})
  set_tests_properties(${name} PROPERTIES LABELS session)
  if(T_TIMEOUT)
    set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT})
  endif()
  if(T_ENVIRONMENT)
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${T_ENVIRONMENT}")
  endif()
endfunction()

# Reads the X screen's pixels for the test scripts, many in one process.
add_executable(screen_probe screen_probe.cpp)
target_link_libraries(screen_probe PRIVATE Qt6::Gui)
# A plain Qt window drawing the chart nearest-neighbour, and the measure of
# how crisply a shot shows the chart: the fractional-scale test's yardstick.
add_executable(plain_chart plain_chart.cpp)
target_link_libraries(plain_chart PRIVATE Qt6::Widgets)
add_executable(chart_on_screen chart_on_screen.cpp)
target_link_libraries(chart_on_screen PRIVATE Qt6::Gui)

set(X Xvfb xdpyinfo)
set(DBUS dbus-daemon)
set(ATSPI at-spi-bus-launcher dbus-send pyatspi)

# The runtime's message box on a real display.
krtd258_add_session_test(test_fatal_error_xvfb NEEDS ${X}
  COMMAND --x --screen 800x600 -- $<TARGET_FILE:test_fatal_error> displayShowsOneMessage)

# The real program in a virtual X server, clicked like a person would.
krtd258_add_session_test(realwindow NEEDS ${X} ${DBUS} xdotool import convert
  COMMAND --x --dbus -- ${BASH_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/realwindow_test.sh ${PROGRAM}
          $<TARGET_FILE:screen_probe>)

# The contrast of every text under real light, dark and high-contrast themes.
krtd258_add_session_test(schemes NEEDS ${X} ${DBUS}
  COMMAND --x --dbus --screen 1280x800 -- ${BASH_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/schemes_test.sh
          $<TARGET_FILE:scheme_contrast> ${PROJECT_SOURCE_DIR})

# Both windows dragged between two monitors of different scale (RandR
# monitors of one Xvfb screen), at whole and fractional scales; then started
# with the pointer on either monitor, under a window manager that places a
# new window there.
set(MONITORS --monitor LEFT=1600x1200 --monitor RIGHT=2000x1200)
krtd258_add_session_test(monitors NEEDS ${X} ${DBUS} xrandr xdotool xwininfo import compare TIMEOUT 300
  COMMAND --x --dbus ${MONITORS} -- ${BASH_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/monitors_test.sh
          ${PROGRAM} $<TARGET_FILE:screen_probe> 1:2 2:1 1:1.25 1.5:1 1:1.75)
krtd258_add_session_test(monitors_placed NEEDS ${X} ${DBUS} xrandr xdotool xwininfo import compare openbox xprop
  TIMEOUT 300
  COMMAND --wm --dbus ${MONITORS} -- ${BASH_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/monitors_test.sh
          ${PROGRAM} $<TARGET_FILE:screen_probe> --placed 1:2 2:1 1:1.5 1.25:1.75)

# Moved onto the other monitor from across the border, where a window grown
# on the monitor of the larger scale lands.
krtd258_add_session_test(monitors_straddle NEEDS ${X} ${DBUS} xrandr xdotool xwininfo import compare TIMEOUT 300
  COMMAND --x --dbus --monitor LEFT=1000x1200 --monitor RIGHT=2000x1200 -- ${BASH_EXECUTABLE}
          ${CMAKE_CURRENT_SOURCE_DIR}/monitors_test.sh ${PROGRAM} $<TARGET_FILE:screen_probe> --straddle 1:2 2:1 1.25:1.75)

# The program in a Wayland-only session, on Weston's headless backend; then
# the chart window dragged from a Weston output of scale 1 onto one of scale
# 2 (Weston's x11 backend on Xvfb).
krtd258_add_session_test(wayland NEEDS ${DBUS} weston
  COMMAND --wayland --dbus -- ${BASH_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/wayland_test.sh ${PROGRAM} ${KRTD258_APP_ID})
krtd258_add_session_test(outputs NEEDS ${X} ${DBUS} weston xdotool xwininfo import compare TIMEOUT 180
  COMMAND --dbus --output X1=1600x600@1 --output X2=1000x600@2 -- ${BASH_EXECUTABLE}
          ${CMAKE_CURRENT_SOURCE_DIR}/outputs_test.sh ${PROGRAM} $<TARGET_FILE:screen_probe> ${Qt6_VERSION})

# Both windows on a Wayland output at 125, 150 and 175 % (sway's x11
# backend on Xvfb): drawn at the output's own scale, crisp; a press and a
# drag on each device column and row selecting the pixel drawn there.
krtd258_add_session_test(fractional NEEDS ${X} ${DBUS} sway swaymsg xdotool xwininfo import python3 TIMEOUT 900
  COMMAND --dbus --sway 1680x945@1 -- ${BASH_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/fractional_test.sh
          ${PROGRAM} ${KRTD258_APP_ID} $<TARGET_FILE:plain_chart> $<TARGET_FILE:chart_on_screen>
          $<TARGET_FILE:screen_probe> ${PROJECT_SOURCE_DIR}/assets/chart.bmp ${PROJECT_SOURCE_DIR}/assets/drawing.bmp
          ${Qt6_VERSION} 1.25 1.5 1.75)
# The chart window moved between two Wayland outputs of different
# fractional scale and back.
krtd258_add_session_test(fractional_outputs NEEDS ${X} ${DBUS} sway swaymsg xdotool xwininfo import python3 TIMEOUT 600
  COMMAND --dbus --sway 2100x1050@1 --sway 2100x1050@1 -- ${BASH_EXECUTABLE}
          ${CMAKE_CURRENT_SOURCE_DIR}/fractional_outputs_test.sh ${PROGRAM} ${KRTD258_APP_ID} $<TARGET_FILE:plain_chart>
          $<TARGET_FILE:chart_on_screen> $<TARGET_FILE:screen_probe> ${PROJECT_SOURCE_DIR}/assets/chart.bmp ${Qt6_VERSION}
          1:1.5 1.25:2)
# One at a time: each waits on sway's frames for every press, and two side
# by side on two processors slow each other down several times over.
foreach(test fractional fractional_outputs)
  if(TEST ${test})
    set_tests_properties(${test} PROPERTIES SKIP_RETURN_CODE 77 RESOURCE_LOCK sway)
  endif()
endforeach()

# Repainting only what changes on a real X server, where the screen holds
# what was flushed to it, at scales 1 and 2.
foreach(scale 1 2)
  krtd258_add_session_test(test_repaint_xvfb_${scale} NEEDS ${X} ${DBUS}
    ENVIRONMENT QT_SCALE_FACTOR=${scale} EXPECTED_SCALE=${scale}
    COMMAND --x --dbus -- $<TARGET_FILE:test_repaint>)
endforeach()

# The program under a screen reader's eyes: AT-SPI in a D-Bus session of its
# own, checked with pyatspi.
krtd258_add_session_test(atspi NEEDS ${X} ${ATSPI} xdotool
  COMMAND --x --atspi --screen 1280x1024 -- ${BASH_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/atspi_test.sh
          ${PROGRAM} ${SESSION_PYTHON})

# What a blind user hears: Orca itself reading the program, with
# speech-dispatcher writing what it is told to say. What it was told stays
# in orca-session/spoken.txt.
krtd258_add_session_test(orca NEEDS ${X} ${ATSPI} xdotool orca speech-dispatcher espeak-ng TIMEOUT 300
  ENVIRONMENT SESSION_LOGS=${CMAKE_CURRENT_BINARY_DIR}/orca-session
  COMMAND --x --atspi --speech --screen 1280x1024 -- ${SESSION_PYTHON} ${CMAKE_CURRENT_SOURCE_DIR}/orca_test.py
          ${PROGRAM} orca ${Qt6_VERSION})
