# Makes a publisher's package for setup.exe (cmake -P, from setup/CMakeLists.txt):
#   KPX_TOOL PACKAGE_INI LEVEL OUTPUT ICON_OUTPUT PROJECT_ICON
# `kpx package` writes into a staging folder; payload.kpx, package_info.cpp and description.txt
# (the description as resolved, for scripts/release --verify) are copied into
# OUTPUT, program.ico (the description's icon, else the project's) into ICON_OUTPUT, each only when
# it differs, so that an unchanged package rebuilds nothing.
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
file(MAKE_DIRECTORY ${OUTPUT} ${ICON_OUTPUT})
file(COPY_FILE ${stage}/payload.kpx ${OUTPUT}/payload.kpx ONLY_IF_DIFFERENT)
file(COPY_FILE ${stage}/package_info.cpp ${OUTPUT}/package_info.cpp ONLY_IF_DIFFERENT)
file(COPY_FILE ${stage}/description.txt ${OUTPUT}/description.txt ONLY_IF_DIFFERENT)
file(COPY_FILE ${icon} ${ICON_OUTPUT}/program.ico ONLY_IF_DIFFERENT)
