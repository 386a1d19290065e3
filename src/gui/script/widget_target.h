#pragma once

#include "engine/script/script_runner.h"

namespace kelvane::gui {

class FrmFanji;

// Drives a design script through the real widgets of the windows, as the
// engineer's mouse and keyboard would, and reads the snapshot back from the
// widgets, so that a script shows whether the windows agree with the engine.
class WidgetTarget : public script::ScriptTarget {
public:
    explicit WidgetTarget(FrmFanji& window) : m_window(window) {}

    void type(const QString& control, const QString& text) override;
    void pick(const QString& control, const QString& item) override;
    void key(const QString& control, int keyCode) override;
    void focus(const QString& control) override;
    void click(const QString& control) override;
    void select(const QString& grid, int row) override;
    void page(int page) override;
    void openFile(const QString& path) override;
    void saveFile(const QString& path) override;
    Result<void> print(const QString& path) override;
    void advise() override;
    void apply(int row) override;
    void check() override;
    void checkInput(const QString& name, const QString& text) override;
    void tick(int count) override;
    QJsonObject snapshot() override;

private:
    QWidget* widget(const QString& control) const;

    FrmFanji& m_window;
};

}  // namespace kelvane::gui
