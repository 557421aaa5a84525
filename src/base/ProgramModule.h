#pragma once

// The modules that come with the programs (libnomira_pdf.so, libnomira_ocr.so) hold large
// libraries that most commands never use, so that a process maps them only once it needs them.
namespace programmodule {

// The address of entryName in the module fileName, loaded on first use and kept for the life of
// the process (the libraries behind the modules do not take being unloaded well); null when the
// module cannot be loaded or lacks the entry. The module is looked for beside the program, then
// in the folder it was built in, then through the loader's own search. The first two are full
// paths because a sanitizer's dlopen interceptor makes the loader search on its behalf, without
// the program's RUNPATH.
void* entry(const char* fileName, const char* entryName);

// The interface table that the module's entry gives back, when the module loads and was built
// for this version of the table (its member `version`); null otherwise.
template <class Api> const Api* api(const char* fileName, const char* entryName, int version) {
    using Entry = const Api* (*)();
    const auto found = reinterpret_cast<Entry>(entry(fileName, entryName));
    const Api* table = found != nullptr ? found() : nullptr;
    return table != nullptr && table->version == version ? table : nullptr;
}

} // namespace programmodule
