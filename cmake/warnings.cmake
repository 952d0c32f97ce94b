# Interface targets that carry the project's compiler flags.

add_library(project_warnings INTERFACE)
target_compile_options(project_warnings INTERFACE -Wall -Wextra)
if(KPX_WARNINGS_AS_ERRORS)
  target_compile_options(project_warnings INTERFACE -Werror)
endif()

# Flags of the Windows program itself: no exceptions, no RTTI, no C++ runtime DLLs.
add_library(program_settings INTERFACE)
target_compile_options(program_settings INTERFACE -fno-exceptions -fno-rtti -Os)
if(WIN32)
  target_link_options(program_settings INTERFACE -mwindows -static -static-libgcc -static-libstdc++ -s
                      -Wl,--no-insert-timestamp)
endif()
