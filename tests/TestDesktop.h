#pragma once

#include "TestTempDir.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace ndlemo::test {

// A desktop of the test's own, which the real xdg-settings and xdg-open consult: its base directories
// (XDG_CONFIG_HOME, XDG_DATA_HOME and the system ones, HOME, XDG_RUNTIME_DIR) in a temporary directory, the
// generic desktop named, a display named so that xdg-open looks for handlers, no BROWSER, its bin/ first in PATH.
// Its programs are recorders: each writes the arguments it got into a file of its own. Everything is restored at the
// end.
class TTestDesktop {
public:
    TTestDesktop() {
        for (const char* dir : {"config", "data/applications", "sys/applications", "sysconfig", "home", "run", "bin"})
            std::filesystem::create_directories(m_Dir.Path() / dir);
        std::filesystem::permissions(m_Dir.Path() / "run", std::filesystem::perms::owner_all);
        Set("XDG_CONFIG_HOME", Path("config"));
        Set("XDG_DATA_HOME", Path("data"));
        Set("XDG_DATA_DIRS", Path("sys"));
        Set("XDG_CONFIG_DIRS", Path("sysconfig"));
        Set("XDG_RUNTIME_DIR", Path("run"));
        Set("HOME", Path("home"));
        Set("XDG_CURRENT_DESKTOP", "X-Generic");
        Set("DISPLAY", ":99");
        const char* path = std::getenv("PATH");
        Set("PATH", Path("bin") + ":" + (path ? path : "/usr/bin:/bin"));
        for (const char* name : {"BROWSER", "WAYLAND_DISPLAY", "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID",
                                 "MATE_DESKTOP_SESSION_ID", "DESKTOP_SESSION"})
            Unset(name);
    }
    ~TTestDesktop() {
        for (const auto& [name, value] : m_Saved) {
            if (value)
                setenv(name.c_str(), value->c_str(), 1);
            else
                unsetenv(name.c_str());
        }
    }
    TTestDesktop(const TTestDesktop&) = delete;
    TTestDesktop& operator=(const TTestDesktop&) = delete;

    [[nodiscard]] std::string Path(const std::string& relative) const { return (m_Dir.Path() / relative).string(); }

    // A program in bin/ (which PATH finds first) that records its arguments, one per line; returns its full path.
    std::string AddRecorder(const std::string& name) {
        const std::string program = Path("bin/" + name);
        m_Dir.WriteFile(program, "#!/bin/sh\n"
                                 "out=\"" +
                                     RecordFile(name) +
                                     "\"\n"
                                     ": > \"$out.tmp\"\n"
                                     "for a in \"$@\"; do printf '%s\\n' \"$a\" >> \"$out.tmp\"; done\n"
                                     "mv \"$out.tmp\" \"$out\"\n");
        std::filesystem::permissions(program, std::filesystem::perms::owner_all);
        return program;
    }

    // A desktop entry; file is relative to the desktop's directory, e.g. "data/applications/browser.desktop" for
    // one of the user's and "sys/applications/browser.desktop" for one of the system's.
    void AddEntry(const std::string& file, const std::string& exec, const std::string& more = "") {
        const std::filesystem::path path = Path(file);
        std::filesystem::create_directories(path.parent_path());
        m_Dir.WriteFile(path, "[Desktop Entry]\nType=Application\nName=Test\nExec=" + exec + "\n" + more);
    }

    // A local HTML page (the desktop tells its kind by its content); returns its full path.
    std::string AddPage(const std::string& file) {
        const std::filesystem::path path = Path(file);
        std::filesystem::create_directories(path.parent_path());
        m_Dir.WriteFile(path, "<!DOCTYPE html>\n<html><head><title>Upload</title></head><body></body></html>\n");
        return path.string();
    }

    // The user's default handlers, e.g. {"x-scheme-handler/http", "browser.desktop"}: the default web browser is
    // the handler of http.
    void SetDefaults(const std::map<std::string, std::string>& handlers) {
        std::string text = "[Default Applications]\n";
        for (const auto& [type, id] : handlers)
            text += type + "=" + id + "\n";
        m_Dir.WriteFile(Path("config/mimeapps.list"), text);
    }

    // The arguments of the recorder's run, once it has run (none when it has not run within a minute: a program
    // started detached is not waited for, so its record is).
    [[nodiscard]] std::optional<std::vector<std::string>> WaitForRecord(const std::string& name) const {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
        while (!Recorded(name)) {
            if (std::chrono::steady_clock::now() > deadline)
                return std::nullopt;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        std::ifstream in(RecordFile(name));
        std::vector<std::string> arguments;
        for (std::string line; std::getline(in, line);)
            arguments.push_back(line);
        return arguments;
    }
    [[nodiscard]] bool Recorded(const std::string& name) const { return std::filesystem::exists(RecordFile(name)); }

private:
    [[nodiscard]] std::string RecordFile(const std::string& name) const { return Path(name + ".args"); }

    void Set(const std::string& name, const std::string& value) {
        Save(name);
        setenv(name.c_str(), value.c_str(), 1);
    }
    void Unset(const std::string& name) {
        Save(name);
        unsetenv(name.c_str());
    }
    void Save(const std::string& name) {
        if (m_Saved.contains(name))
            return;
        const char* old = std::getenv(name.c_str());
        m_Saved[name] = old ? std::optional<std::string>(old) : std::nullopt;
    }

    TTestTempDir m_Dir{"desktop"};
    std::map<std::string, std::optional<std::string>> m_Saved;
};

} // namespace ndlemo::test
