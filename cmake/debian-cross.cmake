# Cross-compiles for another Debian architecture with Debian's own cross
# compiler for AVTO_DEBIAN_TRIPLET (g++-aarch64-linux-gnu for
# aarch64-linux-gnu, g++-arm-linux-gnueabihf for arm-linux-gnueabihf),
# linked dynamically against that architecture's libraries, so the program
# and its Debian package are what a native build of the package would give.
set(CMAKE_TRY_COMPILE_PLATFORM_VARIABLES AVTO_DEBIAN_TRIPLET)
if(NOT AVTO_DEBIAN_TRIPLET)
  message(FATAL_ERROR "Set AVTO_DEBIAN_TRIPLET, for example aarch64-linux-gnu.")
endif()
set(CMAKE_SYSTEM_NAME Linux)
string(REGEX MATCH "^[^-]+" CMAKE_SYSTEM_PROCESSOR "${AVTO_DEBIAN_TRIPLET}")
set(CMAKE_CXX_COMPILER ${AVTO_DEBIAN_TRIPLET}-g++)

# The cross compiler's own copy of the target's C library and libstdc++.
set(CMAKE_FIND_ROOT_PATH /usr/${AVTO_DEBIAN_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The package's architecture as Debian names it (arm64, armhf); otherwise
# CPack would label it with the build machine's.
execute_process(
  COMMAND dpkg-architecture -t ${AVTO_DEBIAN_TRIPLET} -qDEB_HOST_ARCH
  OUTPUT_VARIABLE CPACK_DEBIAN_PACKAGE_ARCHITECTURE
  OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET RESULT_VARIABLE failed)
if(failed OR NOT CPACK_DEBIAN_PACKAGE_ARCHITECTURE)
  message(FATAL_ERROR "dpkg-architecture does not know ${AVTO_DEBIAN_TRIPLET} "
                      "(Debian: apt-get install -y dpkg-dev).")
endif()
