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
target_link_options(InstalacaoTEVO PRIVATE -static -static-libgcc -static-libstdc++ -municode -mwindows)
set_target_properties(InstalacaoTEVO PROPERTIES OUTPUT_NAME InstalacaoTEVO)

if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/tests/e2e/CMakeLists.txt)
  add_subdirectory(tests/e2e)
endif()
