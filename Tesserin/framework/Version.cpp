// The library's version, as the about box and the log show it.
extern "C" __attribute__((visibility("default"))) const char* TesserinVersion()
{
    return "1.0";
}
