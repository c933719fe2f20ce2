#pragma once

// Settings views that only hold what they are given, for programs that read
// and store the settings without a window.

#include "settings/settings.h"

#include <string>

class PlainSettingsViews : public vorelind::SettingsViews {
public:
    std::string fileMask() const override { return m_mask; }
    void setFileMask(const std::string& mask) override { m_mask = mask; }
    std::string folder() const override { return m_folder; }
    void setFolder(const std::string& folder) override { m_folder = folder; }
    bool convertsToShiftJis() const override { return m_on; }
    void setConvertsToShiftJis(bool on) override { m_on = on; }
    vorelind::RulesChoice rulesChoice() const override { return m_rules; }
    void setRulesChoice(vorelind::RulesChoice choice) override { m_rules = choice; }

private:
    std::string m_mask;
    std::string m_folder;
    bool m_on = true;
    vorelind::RulesChoice m_rules = vorelind::RulesChoice::Automatic;
};
