# cmake -DBUILD_DIR=<build> -DSTAGE=<folder> -DWITH_GUI=ON|OFF -P CheckInstall.cmake
# Installs the build into STAGE as `cmake --install` does for a user, lists what it installed,
# fails when a file a desktop installation needs is missing, and runs the staged orvanectl to
# show that the installed program finds its data below its own prefix.
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE "${STAGE}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${STAGE}"
                RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE error)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${error}")
endif()

set(expected
  bin/orvanectl
  lib/udev/rules.d/70-orvane-q730.rules
  share/applications/orvane-q730.desktop
  share/icons/hicolor/scalable/apps/orvane-q730.svg
  share/metainfo/org.orvane.q730.metainfo.xml
  share/man/man1/orvanectl.1
  share/man/man1/orvane-q730.1
  share/bash-completion/completions/orvanectl
  share/dbus-1/interfaces/org.orvane.Q730.WindowMessages.xml
  share/orvane-q730/DefaultData/ShootData_0.Shoot
  share/orvane-q730/skin/res.xml
  share/orvane-q730/skin/main.ui
  share/orvane-q730/skin/skin.ui
  share/orvane-q730/skin/common/background.png
  share/orvane-q730/skin/lan_en.xml
  share/orvane-q730/skin/lan_cn.xml
  share/orvane-q730/DefaultData/mouse.Json
  share/orvane-q730/DefaultData/Language.config)
if(WITH_GUI)
  list(APPEND expected bin/orvane-q730)
endif()
file(GLOB_RECURSE installed LIST_DIRECTORIES false RELATIVE "${STAGE}" "${STAGE}/*")
list(LENGTH installed count)
message(STATUS "${count} files installed below ${STAGE}")
set(missing)
foreach(file IN LISTS expected)
  if(file IN_LIST installed)
    message(STATUS "  ${file}")
  else()
    list(APPEND missing ${file})
  endif()
endforeach()
if(missing)
  message(FATAL_ERROR "not installed: ${missing}")
endif()

# A fresh user on the emulated mouse: the profile made from the installed default profile.
set(home "${STAGE}/home")
file(MAKE_DIRECTORY "${home}")
execute_process(
  COMMAND "${CMAKE_COMMAND}" -E env --unset=ORVANE_DATA_DIR --unset=XDG_DATA_HOME --unset=XDG_STATE_HOME
          "HOME=${home}" "ORVANE_SIM_STATE=${home}/sim" "GSETTINGS_BACKEND=memory"
          "${STAGE}/bin/orvanectl" --simulate mouse dpi
  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE error)
if(NOT result EQUAL 0 OR NOT output MATCHES "stage 0  on")
  message(FATAL_ERROR "the installed orvanectl did not find its data (exit ${result}):\n${output}${error}")
endif()
