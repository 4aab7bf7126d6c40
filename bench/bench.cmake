# The start-up and launch benchmark (scripts/bench.sh), not part of the tests.
# Included at the end of cmake/windows.cmake. Nothing here is built by default:
# `--target kx_bench` builds bench.exe with kx_shell.exe beside it and the
# programs it is measured against in bench/.
set(kx_bench_dir ${CMAKE_CURRENT_LIST_DIR})

add_executable(kx_bench_floor WIN32 EXCLUDE_FROM_ALL ${kx_bench_dir}/floor.cpp)
set_target_properties(kx_bench_floor PROPERTIES OUTPUT_NAME floor)

add_executable(kx_bench_floor_app WIN32 EXCLUDE_FROM_ALL ${kx_bench_dir}/floor.cpp ${kx_bench_dir}/floor_app.rc)
set_target_properties(kx_bench_floor_app PROPERTIES OUTPUT_NAME floor_app)
# windres finds kx_shell's icon and manifest there.
target_include_directories(kx_bench_floor_app PRIVATE ${PROJECT_SOURCE_DIR}/resources ${kx_generated})

add_executable(kx_bench_kravix WIN32 EXCLUDE_FROM_ALL ${kx_bench_dir}/clock_stand_in.cpp)
set_target_properties(kx_bench_kravix PROPERTIES OUTPUT_NAME kravix)

foreach(target kx_bench_floor kx_bench_floor_app kx_bench_kravix)
    set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
endforeach()

# bench.exe lies beside kx_shell.exe and finds the others in bench/.
add_executable(kx_bench WIN32 EXCLUDE_FROM_ALL ${kx_bench_dir}/bench.cpp)
set_target_properties(kx_bench PROPERTIES OUTPUT_NAME bench RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
target_link_libraries(kx_bench PRIVATE psapi)
add_dependencies(kx_bench kx_shell kx_bench_floor kx_bench_floor_app kx_bench_kravix)

foreach(target kx_bench kx_bench_floor kx_bench_floor_app kx_bench_kravix)
    target_compile_definitions(${target} PRIVATE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX)
    if(MINGW)
        # As kx_shell.exe is built, so the programs compare like with like.
        target_link_options(${target} PRIVATE -municode -s)
    endif()
endforeach()
