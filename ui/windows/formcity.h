#pragma once

#include "data/rules/cityeditor.h"
#include "ui/windows/form.h"

#include <QHash>
#include <QString>

#include <cstdint>
#include <functional>

class QComboBox;
class QGroupBox;

namespace veldor {

class FindBar;
class ListBox;
class NumberEdit;
class ScenarioStore;

// The city editor: one city's owner and numbers, and the list of all persons in which marking
// a person moves him into the city on Apply or OK. The rules live in CityEditor; this window
// only places the controls and passes their events on.
class TFCity : public Form
{
    Q_OBJECT
public:
    explicit TFCity(ScenarioStore& store, QWidget* parent = nullptr);

    // The city to edit; the main window sets it before every showing.
    uint16_t CurCity = 0;

    // Takes a fresh working copy and fills every control; runs on every showing.
    void FormShow() override;

protected:
    bool hasUnappliedEdits() const override;
    bool applyEdits() override;
    void dropEdits() override;

private:
    void buildAttributes();
    void buildPersonList();
    void addEdit(CityField field, const QString& name, int left, int top, int width,
                 void (TFCity::*handler)());
    void addColumnButton(const QString& name, const QString& caption, int left, int width,
                         void (TFCity::*handler)());
    void addCommandButton(const QString& name, const QString& caption, int top,
                          void (TFCity::*handler)());

    void fillPersonRows(const RowMarks& marks);
    RowMarks personMarks() const;

    // The ten edit fields and the eight column heads share one rule each.
    void Edit_City_Change(CityField field);
    void Edit_City_PingMinChange() { Edit_City_Change(CityField::PingMin); }
    void Edit_City_BingYiChange() { Edit_City_Change(CityField::BingYi); }
    void Edit_City_ShiBingChange() { Edit_City_Change(CityField::ShiBing); }
    void Edit_City_MinXinChange() { Edit_City_Change(CityField::MinXin); }
    void Edit_City_ShouYiChange() { Edit_City_Change(CityField::ShouYi); }
    void Edit_City_MaxShouYiChange() { Edit_City_Change(CityField::MaxShouYi); }
    void Edit_City_ShouHuoChange() { Edit_City_Change(CityField::ShouHuo); }
    void Edit_City_MaxShouHuoChange() { Edit_City_Change(CityField::MaxShouHuo); }
    void Edit_City_NaiJiuChange() { Edit_City_Change(CityField::NaiJiu); }
    void Edit_City_MaxNaiJiuChange() { Edit_City_Change(CityField::MaxNaiJiu); }

    void Button_Prsn_Click(CityPrsnColumn column);
    void Button_Prsn_NameClick() { Button_Prsn_Click(CityPrsnColumn::Name); }
    void Button_Prsn_CityClick() { Button_Prsn_Click(CityPrsnColumn::City); }
    void Button_Prsn_ForcClick() { Button_Prsn_Click(CityPrsnColumn::Forc); }
    void Button_Prsn_DegreeClick() { Button_Prsn_Click(CityPrsnColumn::Degree); }
    void Button_Prsn_TongShuaiClick() { Button_Prsn_Click(CityPrsnColumn::TongShuai); }
    void Button_Prsn_WuLiClick() { Button_Prsn_Click(CityPrsnColumn::WuLi); }
    void Button_Prsn_ZhiLiClick() { Button_Prsn_Click(CityPrsnColumn::ZhiLi); }
    void Button_Prsn_ZhengZhiClick() { Button_Prsn_Click(CityPrsnColumn::ZhengZhi); }

    void ComboBox_City_ForcChange(int entry);
    void Button_City_ApplyClick();
    void Button_City_OKClick();
    void Button_City_CancelClick();

    CityEditor editor_;

    // Row texts already decoded, by their GBK bytes (a key that changes with the text).
    QHash<QByteArray, QString> decodedRows_;

    QGroupBox* GroupBox1 = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QComboBox* ComboBox_City_Forc = nullptr;
    NumberEdit* edits_[kCityFields] = {};
    ListBox* ListBox_City_Prsn = nullptr;
    FindBar* findBar_ = nullptr;
};

} // namespace veldor
