# The Windows product: InstalacaoTEVO.exe, statically linked, with manifest,
# version resource and the CRIPTOS credential resource.
file(GLOB TEVO_WIN32_SOURCES CONFIGURE_DEPENDS src/platform/win32/*.cpp src/toolkit/win32/*.cpp)
add_library(tevo_win32 STATIC ${TEVO_WIN32_SOURCES})
target_link_libraries(tevo_win32 PUBLIC tevo_core comctl32 uxtheme shell32 ole32 uuid gdi32 user32 msimg32 version shlwapi)
target_compile_definitions(tevo_win32 PUBLIC UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00)

set(TEVO_VERSION_COMMA "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},${PROJECT_VERSION_TWEAK}")
if(NOT PROJECT_VERSION_TWEAK)
  set(TEVO_VERSION_COMMA "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},0")
endif()
configure_file(res/InstalacaoTEVO.rc.in ${CMAKE_CURRENT_BINARY_DIR}/InstalacaoTEVO.rc @ONLY)
configure_file(res/InstalacaoTEVO.manifest ${CMAKE_CURRENT_BINARY_DIR}/InstalacaoTEVO.manifest COPYONLY)

add_executable(InstalacaoTEVO WIN32 src/app/main.cpp ${CMAKE_CURRENT_BINARY_DIR}/InstalacaoTEVO.rc)
target_link_libraries(InstalacaoTEVO PRIVATE tevo_win32)
target_link_options(InstalacaoTEVO PRIVATE -static -static-libgcc -static-libstdc++ -municode -mwindows -s)
set_target_properties(InstalacaoTEVO PROPERTIES OUTPUT_NAME InstalacaoTEVO)

# CRIPTOS: the enciphered credentials, made at build time by the criptos tool of the
# native build (this is a cross-build). Development builds take the values kept in
# the repository; a release build passes -DTEVO_CREDENCIAIS=<file outside the repository>.
set(TEVO_HOST_TOOLS "${CMAKE_SOURCE_DIR}/build/linux/tools/criptos/criptos" CACHE FILEPATH
    "The criptos tool built natively (the linux preset builds it)")
set(TEVO_CREDENCIAIS "${CMAKE_SOURCE_DIR}/res/credenciais-dev.txt" CACHE FILEPATH
    "Credential values (BDTEVO, BDSYS) enciphered into the CRIPTOS resource")
if(NOT EXISTS "${TEVO_HOST_TOOLS}")
  message(FATAL_ERROR "The criptos tool was not found at ${TEVO_HOST_TOOLS}. Build the native Linux "
    "preset first (cmake --preset linux && cmake --build --preset linux) or point TEVO_HOST_TOOLS at it.")
endif()
if(NOT EXISTS "${TEVO_CREDENCIAIS}")
  message(FATAL_ERROR "The credentials file ${TEVO_CREDENCIAIS} (TEVO_CREDENCIAIS) does not exist.")
endif()
set(TEVO_CRIPTOS_BIN ${CMAKE_CURRENT_BINARY_DIR}/CRIPTOS.bin)
add_custom_command(OUTPUT ${TEVO_CRIPTOS_BIN}
  COMMAND "${TEVO_HOST_TOOLS}" "${TEVO_CREDENCIAIS}" ${TEVO_CRIPTOS_BIN}
  DEPENDS "${TEVO_HOST_TOOLS}" "${TEVO_CREDENCIAIS}"
  COMMENT "Enciphering the credentials into CRIPTOS.bin"
  VERBATIM)
add_custom_target(tevo_criptos DEPENDS ${TEVO_CRIPTOS_BIN})
set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/InstalacaoTEVO.rc PROPERTIES OBJECT_DEPENDS ${TEVO_CRIPTOS_BIN})
add_dependencies(InstalacaoTEVO tevo_criptos)

if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/tests/e2e/CMakeLists.txt)
  add_subdirectory(tests/e2e)
endif()
