# Makes a publisher's package for setup.exe (cmake -P, from setup/CMakeLists.txt):
#   KPX_TOOL PACKAGE_INI LEVEL OUTPUT PROJECT_ICON
# `kpx package` writes into a staging folder; payload.kpx, package_info.cpp and program.ico (the
# description's icon, else the project's) are copied into OUTPUT only when they differ, so that an
# unchanged package rebuilds nothing.
set(stage ${OUTPUT}/staging)
execute_process(COMMAND ${KPX_TOOL} package ${PACKAGE_INI} -o ${stage} --level ${LEVEL}
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "kpx package failed for ${PACKAGE_INI}")
endif()
set(icon ${PROJECT_ICON})
if(EXISTS ${stage}/program.ico)
  set(icon ${stage}/program.ico)
endif()
foreach(pair "${stage}/payload.kpx|payload.kpx" "${stage}/package_info.cpp|package_info.cpp"
             "${icon}|program.ico")
  string(REPLACE "|" ";" pair "${pair}")
  list(GET pair 0 from)
  list(GET pair 1 to)
  file(COPY_FILE ${from} ${OUTPUT}/${to} ONLY_IF_DIFFERENT)
endforeach()
