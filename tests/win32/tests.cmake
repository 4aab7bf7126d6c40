# Windows-only tests, run under Wine when cross-compiling.
