#pragma once

#include <string>

// A folder of the program's own, made with a fresh unique name inside a parent folder and removed
// with everything in it when the owner goes away. Outside programs that write files of their own
// choosing run in such a folder, so that nothing they write can meet a file of the operator's.
class PrivateFolder {
public:
    // Makes "<parent>/<prefix>XXXXXX"; parent (cp932) is created when missing. Check isValid().
    PrivateFolder(const std::string& parent, const std::string& prefix);
    ~PrivateFolder();
    PrivateFolder(const PrivateFolder&) = delete;
    PrivateFolder& operator=(const PrivateFolder&) = delete;

    bool isValid() const { return !m_path.empty(); }
    // The folder's path (cp932); empty when it could not be made.
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};
