#include "ui/control_table.h"

namespace vantrel {

namespace {

using enum ControlKind;
using enum CaptionAlignment;

// The ZIP component has no presence on screen and so no row here: it is a
// plain member of the window (ui/zip_component.h).
constexpr ControlSpec kControls[] = {
    {"列表框_分类", ListBox, 8, 8, 144, 368, "", Left},
    {"标签1", Label, 158, 32, 32, 24, "生命", Left},
    {"编辑框_生命", LineEdit, 198, 32, 42, 20, "", Left},
    {"标签2", Label, 158, 56, 32, 24, "防御", Left},
    {"编辑框_防御", LineEdit, 198, 56, 42, 20, "", Left},
    {"标签3", Label, 158, 80, 32, 24, "视野", Left},
    {"编辑框_视野", LineEdit, 198, 80, 42, 20, "", Left},
    {"编辑框_信息", InfoBox, 414, 0, 472, 512, "", Left},
    {"标签4", Label, 166, 8, 82, 24, "建筑信息", Centred},
    {"标签5", Label, 166, 152, 240, 24, "需求", Centred},
    {"标签6", Label, 158, 176, 32, 24, "工人", Left},
    {"编辑框_需求工人", LineEdit, 198, 176, 80, 20, "", Left},
    {"标签7", Label, 286, 176, 32, 24, "食物", Left},
    {"编辑框_需求食物", LineEdit, 326, 176, 80, 20, "", Left},
    {"标签8", Label, 158, 200, 32, 24, "能源", Left},
    {"编辑框_需求能源", LineEdit, 198, 200, 80, 20, "", Left},
    {"标签9", Label, 286, 200, 32, 24, "金币", Left},
    {"编辑框_需求金币", LineEdit, 326, 200, 80, 20, "", Left},
    {"标签11", Label, 158, 224, 32, 24, "木材", Left},
    {"编辑框_需求木材", LineEdit, 198, 224, 80, 20, "", Left},
    {"标签10", Label, 286, 224, 32, 24, "石材", Left},
    {"编辑框_需求石材", LineEdit, 326, 224, 80, 20, "", Left},
    {"标签13", Label, 158, 248, 32, 24, "铁矿", Left},
    {"编辑框_需求铁矿", LineEdit, 198, 248, 80, 20, "", Left},
    {"标签12", Label, 286, 248, 32, 24, "石油", Left},
    {"编辑框_需求石油", LineEdit, 326, 248, 80, 20, "", Left},
    {"标签14", Label, 166, 280, 240, 24, "产出", Centred},
    {"标签16", Label, 158, 304, 40, 24, "殖民者", Left},
    {"编辑框_产出殖民者", LineEdit, 198, 304, 80, 20, "", Left},
    {"标签15", Label, 286, 304, 32, 24, "工人", Left},
    {"编辑框_产出工人", LineEdit, 326, 304, 80, 20, "", Left},
    {"标签17", Label, 158, 104, 32, 24, "电网", Left},
    {"编辑框_电网", LineEdit, 198, 104, 42, 20, "", Left},
    {"编辑框_建造速度", LineEdit, 270, 128, 80, 20, "", Left},
    {"标签18", Label, 206, 128, 48, 24, "建造速度", Left},
    {"标签19", Label, 158, 328, 40, 24, "范围", Left},
    {"编辑框_采集范围", LineEdit, 198, 328, 80, 20, "", Left},
    {"标签20", Label, 286, 328, 40, 24, "系数", Left},
    {"编辑框_采集系数", LineEdit, 326, 328, 80, 20, "", Left},
    {"标签21", Label, 158, 352, 40, 24, "预估", Left},
    {"编辑框_采集预估", LineEdit, 198, 352, 80, 20, "", Left},
    {"列表框_攻击", ListBox, 8, 384, 144, 128, "", Left},
    {"标签22", Label, 160, 384, 248, 24, "伤害类", Centred},
    {"标签23", Label, 160, 408, 32, 24, "距离", Left},
    {"编辑框_距离", LineEdit, 200, 408, 80, 20, "", Left},
    {"标签24", Label, 288, 408, 32, 24, "伤害", Left},
    {"编辑框_伤害", LineEdit, 328, 408, 80, 20, "", Left},
    {"标签25", Label, 160, 432, 32, 24, "间隔", Left},
    {"编辑框_间隔", LineEdit, 200, 432, 80, 20, "", Left},
    {"标签26", Label, 296, 32, 48, 24, "人物生命", Left},
    {"编辑框_人物生命", LineEdit, 352, 32, 40, 20, "", Left},
    {"标签27", Label, 296, 56, 48, 24, "人物防御", Left},
    {"编辑框_人物防御", LineEdit, 352, 56, 40, 20, "", Left},
    {"标签28", Label, 296, 80, 48, 24, "人物视野", Left},
    {"编辑框_人物视野", LineEdit, 352, 80, 40, 20, "", Left},
    {"标签29", Label, 296, 104, 48, 24, "人物跑速", Left},
    {"编辑框_人物移速", LineEdit, 352, 104, 40, 20, "", Left},
    {"标签30", Label, 304, 8, 96, 24, "人物信息 ", Centred},
    {"按钮1", PushButton, 336, 352, 64, 24, "确认修改", Centred},
    {"按钮2", PushButton, 344, 432, 64, 24, "确认修改", Centred},
    {"按钮3", PushButton, 312, 472, 80, 32, "还原数据", Centred},
    {"按钮4", PushButton, 184, 472, 80, 32, "写出数据", Centred},
};

}  // namespace

std::span<const ControlSpec> controlTable() { return kControls; }

bool takesFocus(const ControlSpec& control) { return control.kind != ControlKind::Label; }

}  // namespace vantrel
