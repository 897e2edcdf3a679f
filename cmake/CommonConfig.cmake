# One interface target carries the language level and warnings for every target.
add_library(ndlemo_common INTERFACE)
target_compile_features(ndlemo_common INTERFACE cxx_std_20)
target_compile_options(ndlemo_common INTERFACE -Wall -Wextra $<$<BOOL:${NDLEMO_WERROR}>:-Werror>)
target_include_directories(ndlemo_common INTERFACE ${PROJECT_SOURCE_DIR}/src)
target_compile_definitions(ndlemo_common INTERFACE NDLEMO_PRODUCT_VERSION="${PROJECT_VERSION}")

# Core sources of a subsystem folder: everything outside its ui/ subfolder.
function(ndlemo_core_sources out dir)
    file(GLOB srcs CONFIGURE_DEPENDS ${dir}/*.cpp)
    set(${out} ${srcs} PARENT_SCOPE)
endfunction()
