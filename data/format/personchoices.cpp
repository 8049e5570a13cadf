#include "data/format/personchoices.h"

#include "data/format/itemtexts.h"

namespace veldor {

const QStringList& PrsnXingGeItems()
{
    static const QStringList items = SplitItemTexts("莽撞 刚胆 冷静 慎重");
    return items;
}

const QStringList& PrsnDegreeItems()
{
    static const QStringList items =
        SplitItemTexts("君主 军团长 军师 一般 俘虏 在野 未发现 未成年 死亡 特殊");
    return items;
}

const QStringList& PrsnCityItems()
{
    static const QStringList items = SplitItemTexts(
        "襄平 北平 蓟 南皮 平原 邺 晋阳 上党 北海 濮阳 陈留 下坯 小沛 许昌 汝南 洛阳 长安 "
        "安定 天水 西平 武威 寿春 庐江 建业 吴 会籍 柴桑 宛城 新野 襄阳 江陵 江夏 长沙 "
        "武陵 桂阳 零陵 西城 永安 汉中 梓潼 成都 江州 建宁 云南 交趾 倭 乌丸 羌 山越 南蛮");
    return items;
}

const QStringList& PrsnRankItems()
{
    static const QStringList items = SplitItemTexts(
        "丞相 司空 太尉 司徒 大都督 卫将军 骠骑将军 车骑将军 光禄勋 大司农 卫尉 延尉 征东将军 "
        "征西将军 征南将军 征北将军 尚书令 太仆 太常 光禄大夫 镇东将军 镇西将军 镇南将军 "
        "镇北将军 中书令 御史中丞 执金吾 少府 安东将军 安西将军 安南将军 安北将军 秘书令 侍中 "
        "留府长史 太学博士 左将军 右将军 前将军 后将军 谒者仆射 都尉 黄门侍郎 太史令 军师将军 "
        "安国将军 破虏将军 讨逆将军 郎中 从事郎中 长史 司马 威东将军 威西将军 威南将军 威北将军 "
        "太乐令 太仓令 武库令 卫士令 牙门将军 护军 偏将军 裨将军 主簿 建议大夫 侍郎 中郎 "
        "忠义校尉 昭信校尉 儒林校尉 建议校尉 奋威校尉 宣信校尉 破贼校尉 武卫校尉 ——");
    return items;
}

const QStringList& ItemNames()
{
    static const QStringList items = SplitItemTexts(
        "赤兔 的卢 爪黄飞电 绝影 大宛马 四轮车 七星宝刀 倚天剑 青罡剑 方天画戟 青龙偃月刀 蛇矛 "
        "铁脊蛇矛 雌雄一对剑 古碇刀 三尖刀 双铁戟 大斧 铁鞭 铁蒺藜骨朵 流星锤 眉尖刀 铜锤 铁索 "
        "飞刀 短戟 手戟 袖箭 养由基弓 李广弓 孙子兵法 兵书二十四篇 六韬 三略 司马法 吴子 "
        "孙膑兵法 魏公子兵法 尉缭子 墨子 孟德新书 管子 晏子春秋 商君书 韩非子 周书阴符 四月民令 "
        "左氏春秋 史记 汉书 战国策 列女传 吕氏春秋 吴越春秋 淮南子 论语 诗经 书经 易经 礼记 老子 "
        "庄子 论语解集 典论 博弈论 时要论 治论 辩道论 乾象历注 孝经传 仇国论 西蜀地形图 "
        "平蛮指掌图 太平清领道 青囊书 伤寒杂病论 遁甲天书 太平要术 山海经 玉玺 九锡 铜雀 羽扇 "
        "和氏璧 长信宫灯 博山炉 龙方壶 金象嵌壶 牛灯 神兽砚 玉龙纹璧 涂漆鼎 青釉谷仓罐 算盘 酒杯 "
        "茶 吕氏镜 金耳坠 罗绮香囊 琴");
    return items;
}

const QStringList& PrsnSkillCaptions()
{
    static const QStringList items = SplitItemTexts(
        "奋战 奋斗 奋迅 突破 突进 突击 骑射 奔射 飞射 齐射 连射 连弩 艨艟 楼船 斗舰 井阑 "
        "冲车 发石 象兵 营造 石兵 破陷 教谕 混乱 陷阱 攻心 幻术 辱骂 鼓舞 治疗 妖术");
    return items;
}

} // namespace veldor
