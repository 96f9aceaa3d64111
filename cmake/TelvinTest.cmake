# telvin_add_test(NAME name SOURCES ... LIBS ... [GUI] [TIMEOUT s])
# Registers a QtTest executable with CTest. GUI tests run on the offscreen platform.
function(telvin_add_test)
  cmake_parse_arguments(T "GUI" "NAME;TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE Qt6::Test telvin_testsupport ${T_LIBS})
  set(args)
  if(T_GUI)
    set(args -platform offscreen)
  endif()
  add_test(NAME ${T_NAME} COMMAND ${T_NAME} ${args})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  # A home of its own: tests that run side by side never share settings or data files,
  # and none touches the real user's folders.
  set(home ${CMAKE_CURRENT_BINARY_DIR}/${T_NAME}.home)
  file(MAKE_DIRECTORY ${home})
  set_tests_properties(${T_NAME} PROPERTIES TIMEOUT ${T_TIMEOUT}
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QTWEBENGINE_DISABLE_SANDBOX=1;HOME=${home};XDG_CONFIG_HOME=${home}/.config;XDG_DATA_HOME=${home}/.local/share;XDG_CACHE_HOME=${home}/.cache")
endfunction()
