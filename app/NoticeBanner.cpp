#include "app/NoticeBanner.hpp"

#include "notes/files/LenientUTF8.hpp"

#include <gtkmm/image.h>

namespace app {

NoticeBanner::NoticeBanner(reader::ReaderModel& model)
    : Gtk::Box(Gtk::Orientation::HORIZONTAL, 12), model(model) {
    add_css_class("banner");
    set_margin(6);
    auto* icon = Gtk::make_managed<Gtk::Image>();
    icon->set_from_icon_name("dialog-information-symbolic");
    message.set_xalign(0);
    message.set_hexpand(true);
    message.set_wrap(true);
    message.set_selectable(true);
    close.set_icon_name("window-close-symbolic");
    close.set_tooltip_text("Dismiss");
    close.add_css_class("flat");
    append(*icon);
    append(message);
    append(close);

    connections += close.signal_clicked().connect([this] { dismiss(); });
    connections += model.notice.connect(sigc::mem_fun(*this, &NoticeBanner::followNotice));
    followNotice();
}

void NoticeBanner::dismiss() {
    model.notice.set(std::nullopt);
}

void NoticeBanner::followNotice() {
    const auto& notice = model.notice.get();
    message.set_text(notice ? notes::replacingInvalidUTF8(*notice) : "");
    set_visible(notice.has_value());
}

} // namespace app
