# Interface targets that carry the project's compiler flags.

add_library(project_warnings INTERFACE)
target_compile_options(project_warnings INTERFACE -Wall -Wextra)
if(KPX_WARNINGS_AS_ERRORS)
  target_compile_options(project_warnings INTERFACE -Werror)
endif()

# Flags of the Windows program itself: no exceptions, no RTTI, no C++ runtime DLLs, no unwind
# tables; every function in its own section, so that the linker drops what is unused.
add_library(program_settings INTERFACE)
include(CheckCXXCompilerFlag)
check_cxx_compiler_flag(-Oz KPX_HAVE_OZ)  # smallest code: gcc 12 and later
if(KPX_HAVE_OZ)
  set(program_optimisation -Oz)
else()
  set(program_optimisation -Os)
endif()
target_compile_options(program_settings INTERFACE -fno-exceptions -fno-rtti ${program_optimisation}
                       -fno-asynchronous-unwind-tables -fno-unwind-tables
                       -ffunction-sections -fno-ident -flto)
if(WIN32 AND CMAKE_SIZEOF_VOID_P EQUAL 4)
  # Windows keeps the i686 stack 4-byte aligned; nothing in the program needs more.
  target_compile_options(program_settings INTERFACE -mpreferred-stack-boundary=2)
endif()
if(WIN32)
  # The program's size budget (21 KB without its payload) outweighs speed: its payload is a few
  # hundred KB. These passes mostly duplicate code for speed (loop headers, jump threading).
  target_compile_options(program_settings INTERFACE -fno-tree-loop-optimize -fno-tree-vrp
                         -fno-ivopts -fno-tree-ch -fno-tree-dominator-opts)
endif()
if(WIN32)
  target_link_options(program_settings INTERFACE -mwindows -static -static-libgcc -static-libstdc++ -s
                      -Wl,--no-insert-timestamp -Wl,--gc-sections -flto ${program_optimisation})
endif()

# setup.exe alone: linked without the C and C++ runtimes' start-up code and libraries. Its entry
# is SetupEntry (setup/win_main_win.cpp), it imports only from system DLLs, and it brings its own
# few string routines (setup/string_routines.cpp). A use of anything heavier (operator new,
# exceptions, stdio) fails to link.
add_library(program_entry INTERFACE)
if(WIN32)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(program_entry_symbol _SetupEntry@0)  # stdcall decoration on i686
  else()
    set(program_entry_symbol SetupEntry)
  endif()
  target_link_options(program_entry INTERFACE -nostdlib -Wl,-e,${program_entry_symbol})
  target_link_libraries(program_entry INTERFACE kernel32 user32 gdi32 shell32 ole32 advapi32 uuid
                        gcc)
endif()
