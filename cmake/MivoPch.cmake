# mfc.h preprocesses to tens of thousands of lines and most sources include it:
# targets compile it once into a precompiled header and share that copy where
# their flags allow (one library's PIC objects cannot use an executable's PIE one).

# ccache caches compiles that use a precompiled header only when told to.
function(mivo_pch_ccache target)
  if(CCACHE_PROGRAM)
    target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:-fpch-preprocess>)
  endif()
endfunction()

# Compiles `target`'s own precompiled header from the headers given.
function(mivo_precompile_headers target)
  target_precompile_headers(${target} PRIVATE ${ARGN})
  mivo_pch_ccache(${target})
endfunction()

# `target` uses the precompiled header of `from` (same kind of target, same flags).
function(mivo_reuse_precompiled_headers target from)
  target_precompile_headers(${target} REUSE_FROM ${from})
  mivo_pch_ccache(${target})
endfunction()
