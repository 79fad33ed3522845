#pragma once

#include <windows.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

// Intercepts the message boxes that the calling thread shows while it lives:
// records each box's text, caption, owner, buttons and icon, and answers it
// with a chosen button so that no test blocks. Other dialogs (those with a
// combo box) go to otherDialog, once each, instead.
class MsgBoxCatcher {
public:
    enum class Icon { None, Hand, Question, Exclamation, Asterisk, Other };

    struct Box {
        std::string text;
        std::string caption;
        HWND owner = nullptr;
        std::vector<int> buttons;  // command ids of the visible buttons (IDOK, IDCANCEL, ...)
        Icon icon = Icon::None;

        bool operator==(const Box& o) const
        {
            return text == o.text && caption == o.caption && owner == o.owner &&
                   buttons == o.buttons && icon == o.icon;
        }
        friend std::ostream& operator<<(std::ostream& out, const Box& b)
        {
            out << '"' << b.text << "\" \"" << b.caption << "\" owner " << b.owner << " icon "
                << static_cast<int>(b.icon) << " buttons";
            for (int id : b.buttons)
                out << ' ' << id;
            return out;
        }
    };

    explicit MsgBoxCatcher(int answer = IDOK);
    MsgBoxCatcher(const MsgBoxCatcher&) = delete;
    MsgBoxCatcher& operator=(const MsgBoxCatcher&) = delete;
    ~MsgBoxCatcher();

    std::function<void(HWND dialog)> otherDialog;

    void SetAnswer(int answer) { m_answer = answer; }
    const std::vector<Box>& Boxes() const { return m_boxes; }
    size_t Count() const { return m_boxes.size(); }
    const Box& Last() const { return m_boxes.back(); }

private:
    static LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam);
    void Catch(HWND box);

    HHOOK m_hook;
    int m_answer;
    std::vector<Box> m_boxes;
    std::vector<HWND> m_seen;
    MsgBoxCatcher* m_previous;
};
