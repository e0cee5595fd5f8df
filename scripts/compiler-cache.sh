# Sourced by the build scripts: compile through ccache when it is installed, keyed on paths relative
# to the checkout, so a fresh clone (CI's) reuses what an earlier build of the same sources compiled.
# It takes effect when a build folder is configured for the first time.
if command -v ccache >/dev/null 2>&1; then
  export CMAKE_CXX_COMPILER_LAUNCHER=ccache CMAKE_C_COMPILER_LAUNCHER=ccache
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$(pwd)} CCACHE_NOHASHDIR=1
fi
