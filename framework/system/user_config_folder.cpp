#include "vela/system/user_config_folder.h"

#include <cstdlib>

namespace vela {

namespace {

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

}  // namespace

UserConfigFolder::Environment UserConfigFolder::FromProcess() {
    Environment environment;
#ifdef _WIN32
    environment.windows = true;
    environment.appdata = Variable("APPDATA");
#else
    environment.xdg_config_home = Variable("XDG_CONFIG_HOME");
    environment.home = Variable("HOME");
#endif
    return environment;
}

std::string UserConfigFolder::Find(const Environment& environment, const std::string& name,
                                   std::string& why) {
    if (environment.windows) {
        if (environment.appdata.empty()) {
            why = "%APPDATA% is not set";
            return std::string();
        }
        return environment.appdata + "\\" + name;
    }
    // A relative XDG_CONFIG_HOME is to be ignored, as the XDG base directory rules say.
    if (!environment.xdg_config_home.empty() && environment.xdg_config_home[0] == '/') {
        return environment.xdg_config_home + "/" + name;
    }
    if (environment.home.empty() || environment.home[0] != '/') {
        why = "neither $XDG_CONFIG_HOME nor $HOME is an absolute folder";
        return std::string();
    }
    return environment.home + "/.config/" + name;
}

}  // namespace vela
