#pragma once

#include <array>

namespace orvanix {

// The controls of one search tab, by name (UTF-8). An empty name: the tab has no
// such control.
struct SearchTab {
    const char* keywordBox;
    const char* startButton;
    const char* stopButton;
    const char* resultList;
    const char* countCombo;
    const char* modeCombo;
    const char* checkList;
};

inline constexpr int kNetdiskTab = 0;
inline constexpr int kMagnetTab = 1;
inline constexpr int kShareTab = 2;
inline constexpr int kShoppingTab = 3;
inline constexpr int kSearchTabs = 4;

// The four search tabs, by page index of the tab control.
inline constexpr std::array<SearchTab, kSearchTabs> kSearchTabControls{{
    {"编辑框_搜索的内容", "按钮_开始搜索_网盘搜索", "按钮_停止", "超级列表框_检索内容", "组合框4",
     "", "选择列表框_网盘资源"},
    {"编辑框_搜索的内容1", "按钮_开始搜索_磁链搜索", "按钮_停止1", "超级列表框_磁链检索内容",
     "组合框1", "组合框_模式", ""},
    {"编辑框_搜索的内容2", "按钮_开始搜索_百度网盘搜索", "按钮_停止2",
     "超级列表框_百度网盘检索内容", "组合框2", "组合框_百度云模式", ""},
    {"编辑框_搜索的内容_购物", "按钮_开始搜索_购物", "按钮_停止3", "超级列表框_商品搜索", "组合框3",
     "", ""},
}};

}  // namespace orvanix
