# The hardening Debian gives its own programs (dpkg-buildflags with hardening=+all): position-independent
# executables, read-only relocations bound at start, stack protector and fortified C library calls. Fortified calls
# need the optimiser, so Debug builds go without them.
option(PESARINE_DURCIR "Build with the hardening flags Debian uses" ON)
if(PESARINE_DURCIR AND CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang" AND CMAKE_SYSTEM_NAME STREQUAL "Linux")
    include(CheckPIESupported)
    check_pie_supported(LANGUAGES CXX)
    set(CMAKE_POSITION_INDEPENDENT_CODE ON)
    add_compile_options(-fstack-protector-strong -fstack-clash-protection -Wformat -Werror=format-security
        "$<$<NOT:$<CONFIG:Debug>>:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=2>")
    add_link_options(-Wl,-z,relro -Wl,-z,now)
endif()
