# With VANTOREL_FUZZ_LIBPNG_SOURCE (a libpng source folder, fetched by tools/libpng-source.sh)
# the fuzzing build compiles libpng itself with the fuzzer's instrumentation and links the
# decoder and the texture manager against it, so the fuzzer is steered through libpng's own
# branches as well as ours. Otherwise the system's libpng is used, as everywhere else.
set(VANTOREL_FUZZ_LIBPNG_SOURCE "" CACHE PATH "libpng source folder to build instrumented for the PNG fuzz target")
if(VANTOREL_FUZZERS AND VANTOREL_FUZZ_LIBPNG_SOURCE)
  find_package(ZLIB REQUIRED)
  set(libpng ${VANTOREL_FUZZ_LIBPNG_SOURCE})
  configure_file(${libpng}/scripts/pnglibconf.h.prebuilt ${CMAKE_CURRENT_BINARY_DIR}/libpng/pnglibconf.h COPYONLY)
  set(libpng_sources png.c pngerror.c pngget.c pngmem.c pngpread.c pngread.c pngrio.c pngrtran.c pngrutil.c
      pngset.c pngtrans.c pngwio.c pngwrite.c pngwtran.c pngwutil.c)
  list(TRANSFORM libpng_sources PREPEND ${libpng}/)
  add_library(png_instrumented STATIC ${libpng_sources})
  # Ahead of the system's headers, so the decoder sees the very libpng it is linked with.
  target_include_directories(png_instrumented BEFORE PUBLIC ${CMAKE_CURRENT_BINARY_DIR}/libpng ${libpng})
  target_link_libraries(png_instrumented PUBLIC ZLIB::ZLIB m)

  add_executable(fuzz_Png ${CMAKE_CURRENT_SOURCE_DIR}/PngFuzzer.cpp ${CMAKE_SOURCE_DIR}/graphics/PngDecoder.cpp
                 ${CMAKE_SOURCE_DIR}/graphics/TextureManager.cpp ${CMAKE_SOURCE_DIR}/core/RegularFile.cpp)
  target_include_directories(fuzz_Png PRIVATE ${CMAKE_SOURCE_DIR})
  target_compile_definitions(fuzz_Png PRIVATE FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION)
  target_link_libraries(fuzz_Png PRIVATE png_instrumented OpenGL::GL vantorel_warnings)
  target_link_options(fuzz_Png PRIVATE -fsanitize=fuzzer,address,undefined)
else()
  vantorel_fuzzer(Png vantorel_graphics)
endif()
