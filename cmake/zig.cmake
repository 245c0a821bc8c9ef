# Cross-compiles with zig 0.11 for AVTO_ZIG_TARGET: a fully static Linux
# target (x86_64-, aarch64-, x86-, riscv64- or powerpc64le-linux-musl,
# arm-linux-musleabihf), x86_64-macos or aarch64-macos. zig is
# AVTO_ZIG, else `zig` on the PATH (`.ci/zig` installs it and prints its path).
set(CMAKE_TRY_COMPILE_PLATFORM_VARIABLES AVTO_ZIG AVTO_ZIG_TARGET)
if(NOT AVTO_ZIG_TARGET)
  message(FATAL_ERROR "Set AVTO_ZIG_TARGET, for example x86_64-linux-musl.")
endif()
string(REGEX MATCH "^[^-]+" CMAKE_SYSTEM_PROCESSOR "${AVTO_ZIG_TARGET}")
if(AVTO_ZIG_TARGET MATCHES "-macos")
  set(CMAKE_SYSTEM_NAME Darwin)
else()
  set(CMAKE_SYSTEM_NAME Linux)
endif()
find_program(AVTO_ZIG zig REQUIRED)

# CMake takes one program per tool, while zig's compiler and archiver are
# subcommands of one program: each tool gets a wrapper in the build tree.
# (Checks CMake compiles in scratch projects reuse the first tree's tools.)
# CMake's look at an Apple compiler asks the linker for -v, which zig's
# Mach-O linker refuses; the wrappers drop it.
#
# zig 0.11's Mach-O linker hashes the program into its LC_UUID (which the
# signature covers) in as many pieces as it has CPUs to use, so machines with
# other CPU counts would build other bytes. For macOS, zig is given one CPU,
# the first of those it may use, whatever a machine numbers them.
set(zig_tools "${CMAKE_BINARY_DIR}/zig-tools")
set(one_cpu "")
if(CMAKE_SYSTEM_NAME STREQUAL "Darwin")
  set(one_cpu [[taskset -c "$(taskset -pc $$ | sed 's/.*: //; s/[-,].*//')" ]])
endif()
foreach(tool c++ ar ranlib)
  file(WRITE "${zig_tools}/${tool}" "#!/bin/sh
for arg; do shift; [ \"$arg\" = -Wl,-v ] || set -- \"$@\" \"$arg\"; done
exec ${one_cpu}'${AVTO_ZIG}' ${tool} \"$@\"
")
  file(CHMOD "${zig_tools}/${tool}" PERMISSIONS OWNER_READ OWNER_WRITE
       OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
endforeach()
set(CMAKE_CXX_COMPILER "${zig_tools}/c++")
set(CMAKE_CXX_COMPILER_TARGET "${AVTO_ZIG_TARGET}")
set(CMAKE_AR "${zig_tools}/ar")
set(CMAKE_RANLIB "${zig_tools}/ranlib")
