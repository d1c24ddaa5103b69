#pragma once
// Helpers shared by the sound tests: where the data folder is, a scoped
// environment variable, and waiting on a condition with a generous limit.

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>

namespace reversi::platform::soundtest {

// DATA beside the test program (the build links the repository's DATA there).
inline std::filesystem::path dataFolder() {
    return std::filesystem::read_symlink("/proc/self/exe").parent_path() / "DATA";
}

// Sets an environment variable for the lifetime of the object.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        ::setenv(name, value, 1);
    }
    ~ScopedEnv() {
        if (old_)
            ::setenv(name_.c_str(), old_->c_str(), 1);
        else
            ::unsetenv(name_.c_str());
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string name_;
    std::optional<std::string> old_;
};

// Polls `done` until it holds or `limit` passes; answers whether it held.
template <typename Condition>
bool waitFor(Condition done, std::chrono::milliseconds limit = std::chrono::seconds(10)) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

}  // namespace reversi::platform::soundtest
