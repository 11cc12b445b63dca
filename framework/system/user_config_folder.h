#pragma once

#include <string>

namespace vela {

/// Where a program keeps the files of a user's choices: `$XDG_CONFIG_HOME/<name>` (when it
/// is an absolute path), else `$HOME/.config/<name>`; on Windows `%APPDATA%\<name>`. The
/// folder itself may not exist yet.
class UserConfigFolder {
public:
    /// The variables the lookup reads, and how paths are spelled.
    struct Environment {
        std::string xdg_config_home;  ///< $XDG_CONFIG_HOME, "" when unset
        std::string home;             ///< $HOME, "" when unset
        std::string appdata;          ///< %APPDATA%, "" when unset
        bool windows = false;         ///< Windows' rules and spelling, not POSIX's
    };

    /// This process's environment, on the system the program was built for.
    static Environment FromProcess();
    /// The folder for `name`; "" with `why` set when the environment names none.
    static std::string Find(const Environment& environment, const std::string& name,
                            std::string& why);
};

}  // namespace vela
