# Cross-compiles for another Debian architecture with Debian's own cross
# compiler for AVTO_DEBIAN_TRIPLET (g++-s390x-linux-gnu for s390x-linux-gnu,
# g++-arm-linux-gnueabi for arm-linux-gnueabi), against that architecture's
# C library and libstdc++ as the compiler brings them. The release links
# these programs statically (AVTO_STATIC), for the targets zig cannot link.
set(CMAKE_TRY_COMPILE_PLATFORM_VARIABLES AVTO_DEBIAN_TRIPLET)
if(NOT AVTO_DEBIAN_TRIPLET)
  message(FATAL_ERROR "Set AVTO_DEBIAN_TRIPLET, for example s390x-linux-gnu.")
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
