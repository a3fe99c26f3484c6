// fontconfig 2.14 loses a few bytes while its expat callbacks parse the configuration files, once per
// process. That leak is the library's, so LeakSanitizer ignores allocations made under expat's
// XML_ParseBuffer; any other leak, ours included, is still reported. The full unwind on malloc lets
// the report reach that frame through fontconfig's code, which has no frame pointers.
extern "C" const char* __lsan_default_suppressions()
{
  return "leak:XML_ParseBuffer\n";
}

extern "C" const char* __asan_default_options()
{
  return "fast_unwind_on_malloc=0";
}
