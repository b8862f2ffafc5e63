// A loadable module that is no plugin: it has none of the exports the host looks for.
extern "C" int notAPlugin() { return 0; }
