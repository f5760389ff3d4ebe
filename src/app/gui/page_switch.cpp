#include "app/gui/page_switch.h"

#include <QString>
#include <iterator>

#include "app/gui/feedback_page.h"
#include "app/gui/gui_call.h"
#include "app/gui/main_window.h"
#include "app/settings.h"
#include "sites/gui/site_list.h"

namespace orvanix {

namespace {

// Status part 5 for each page.
const char* const kPageDescriptions[] = {
    "主流网盘搜索,支持自定义添加.",
    "海量资源随心搜索,离线下载在线观看更方便.你懂得!",
    "百度网盘;海量资源;想存就存;想看就看.",
    "直接点击销量或价格可进行排序搜索",
    "有什么意见或建议都说出来吧!我会很快解决的哈!",
};

constexpr int kDescriptionPart = 5;

}  // namespace

void handlePageSwitch(MainWindow& window, int page) {
    writeSettingIndex(setting::kPage, page);
    if (page < 0 || page >= static_cast<int>(std::size(kPageDescriptions))) return;

    const QString description = QString::fromUtf8(kPageDescriptions[page]);
    callOnGui(&window, [&] {
        window.statusBar().setPart(kDescriptionPart, description);
        if (page == 0) startSiteListLoader(window);
        if (page == 4) showFeedbackPage(window);
    });
}

}  // namespace orvanix
