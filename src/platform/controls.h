#pragma once

namespace qm {

// Every control of MainWindow, by its own name. The Qt widget of a control
// carries the same name as its objectName, so tests find controls by name.
#define QM_MAIN_WINDOW_CONTROLS(X)                                                                 \
  /* above the tabs and beside the list */                                                         \
  X(选择框_窗口置顶)                                                                               \
  X(按钮_手动读取)                                                                                 \
  X(标签2)                                                                                         \
  X(组合框2)                                                                                       \
  X(透明标签3)                                                                                     \
  X(组合框_仅检索) X(透明标签4) X(组合框_跳过扩展) X(按钮_打开预览) X(超级按钮1) X(透明标签8)      \
      X(编辑框14) X(透明标签1) X(组合框_创建扩展) X(按钮14) X(按钮_顺序颠倒) X(按钮_多种重新排序)  \
          X(按钮_用我的txt修改) X(按钮_直接粘贴txt) X(超级列表框1) X(进度条1)                      \
              X(按钮_确认无误执行吧) X(按钮_撤回上一步) X(按钮_清空输入框) X(按钮_清空列表框)      \
                  X(按钮_保存到txt) X(透明标签_草稿) X(高级选择夹1) /* page " 删 除 " */       \
      X(分组框6) X(标签5) X(组合框1) X(选择框6) X(选择框_1头) X(选择框_1尾) X(选择框_2头)          \
          X(选择框_2尾) X(标签3) X(编辑框2) X(标签4) X(编辑框3) X(按钮_一键删除) X(标签13)         \
              X(按钮8) X(分组框1) X(分组框15) X(单选框11) X(单选框12) X(选择框3) X(标签14)         \
                  X(编辑框8) X(按钮_删前面) X(分组框2) X(分组框3) X(单选框1) X(单选框2) X(选择框4) \
                      X(标签15) X(编辑框9) X(按钮_删后面) X(分组框5) X(单选框13) X(单选框14)       \
                          X(编辑框1) X(按钮_删掉N次) X(编辑框10) X(标签8) /* page " 替 换 " */   \
      X(分组框7) X(分组框13) X(单选框7) X(单选框8) X(分组框14) X(单选框9) X(单选框10) X(透明标签5) \
          X(编辑框4) X(标签9) X(透明标签6) X(编辑框5) X(透明标签7) X(编辑框16) X(按钮_替换)        \
              X(按钮7) X(分组框16) X(单选框15) X(单选框16) X(按钮_繁简) X(分组框4) X(透明标签2)    \
                  X(组合框_修改扩展) X(按钮_改扩展) X(分组框9) X(按钮_改01) X(按钮4) X(分组框10)   \
                      X(按钮_十五改15) X(按钮_15改十五) /* page " 添 加 " */                     \
      X(分组框21) X(分组框12) X(单选框5) X(单选框6) X(分组框11) X(单选框3) X(单选框4) X(标签16)    \
          X(编辑框11) X(按钮_在某物前后加) X(编辑框12) X(分组框8) X(编辑框6) X(按钮_最前面加)      \
              X(编辑框7) X(按钮_最后面加) X(分组框20) X(编辑框18) X(按钮_扩展名后面加) X(按钮6)    \
                  X(分组框22) X(编辑框13) X(按钮_数字后加符号) X(按钮5) X(分组框23) X(透明标签10)  \
                      X(编辑框17) X(透明标签11) X(组合框5) X(透明标签12) X(编辑框19)               \
                          X(按钮_加序号) X(按钮3) X(按钮_模拟B站AV) /* page "特殊功能" */      \
      X(分组框19) X(按钮1) X(编辑框15) X(透明标签9) X(按钮2) X(分组框17) X(分组框18) X(单选框17)   \
          X(单选框18) X(按钮_删除文件) /* page "高级" */                                           \
      X(分组框_正则) X(透明标签_正则查找) X(编辑框_正则查找) X(透明标签_正则替换为)                 \
          X(编辑框_正则替换为) X(选择框_正则区分大小写) X(选择框_正则含扩展名)                      \
              X(选择框_正则只换第一个) X(按钮_正则替换) X(按钮_正则帮助) X(透明标签_正则错误)      \
                  X(分组框_信息) X(透明标签_信息模板) X(编辑框_信息模板) X(透明标签_信息字段)       \
                      X(组合框_信息字段) X(透明标签_日期格式) X(编辑框_日期格式)                    \
                          X(选择框_无日期用修改时间) X(按钮_按信息命名) X(按钮_信息帮助)          \
                              X(分组框_拼音) X(透明标签_拼音形式) X(组合框_拼音形式)                \
                                  X(透明标签_拼音声调) X(组合框_拼音声调) X(透明标签_拼音分隔)      \
                                      X(组合框_拼音分隔) X(透明标签_拼音大小写)                     \
                                          X(组合框_拼音大小写) X(按钮_转拼音) X(按钮_拼音帮助)

enum class Control {
#define QM_CONTROL_ENUM(name) name,
  QM_MAIN_WINDOW_CONTROLS(QM_CONTROL_ENUM)
#undef QM_CONTROL_ENUM
};

// Every control, in the order of the list above.
inline constexpr Control kMainWindowControls[] = {
#define QM_CONTROL_ID(name) Control::name,
    QM_MAIN_WINDOW_CONTROLS(QM_CONTROL_ID)
#undef QM_CONTROL_ID
};

// The control's name as UTF-8, as used for the widget's objectName.
const char* ControlName(Control control);

}  // namespace qm
