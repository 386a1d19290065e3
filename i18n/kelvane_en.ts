<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>FrmAbout</name>
    <message>
        <source>确定</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>系统信息(&amp;S)...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FrmFanji</name>
    <message>
        <source>变压器设计要求</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>选择电路形式</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>储能变压器</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>正激(双极性变换)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RCC变压器</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>推挽全、全桥</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>电源初级侧参数设置</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>UacMin(V)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>输入电压Udc(v)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>工作频率F(kHz)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>开关占空比D</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>全周期Ts(us)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>导通时间Ton(us)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hi-Pot&amp;&amp; Insulation System</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>环境温度℃</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>请设定变压器使用时的环境温度</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>允许温升℃</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>请设定此变压器的允许工作温升</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>绝缘等级或系统</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IEC</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>UL OR CAS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>VDE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>自定义</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>最小爬电距离mm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pir Vs Sec</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pir Vs Pri</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pir Vs Core</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sec Vs Core</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sec Vs Sec</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>次级输出</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>输出电压Udc(V)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>输出电流Idc(A)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>线路压降Udio(v)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>输出功率Pout(W)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>变换效率η</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>输入功率Pint</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ts平均输入电流Is(A)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ton导通电流Im(A)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>导通初期电流Ip1(A)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ipk/Ip1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>导通峰值电流Ipk(A)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>导通电流变化量△i(A)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>下一序号</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>总输出功率(W)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>添加输出</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>删除输出</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>修改</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>下一步</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>磁材参考数据</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>磁材设计</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>磁材类型</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>材质名称</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>初始磁导率Ui</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>+/-</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>居里温度Tc(℃)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>磁通密度Bm @1194A/m(mT)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>剩余磁通密度Br(mT)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>矫顽力Hc(A/m)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>电阻率P(Ω-m)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>密度Dy(g/cm3)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Factory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>功率损耗PL mW/cm3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>@ 25℃</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>@ 60℃</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>@ 100℃</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>@ 120℃</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>材质搜索</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>查找</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>添加</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>删除</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>保存</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>取消</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bm设计取值(mT)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>电流密度J(A/mm2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>功率损耗PL mW/g</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>上一步</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>磁芯</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>磁芯选择</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>所选磁芯规格</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>中柱面积Ae(mm2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>磁路长度Le(mm)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>绕线面积Aw(mm2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>匝长(mm)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>生产厂家</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>体积Ve(cm3)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>磁芯重量W(g/set)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>磁芯损耗(W)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>数据来源</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>磁芯参数Ae、Le、Ve的来源与精度</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>设计参数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>设计参数表</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>原边电感量Lp(mH)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>绕组用铜总量(g)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>绕组损耗Pcu(W)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>变压器总损耗PT(W)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>变压器输出功率(W)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>绕组占积率</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>适用磁芯规格：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>变压器模拟温升：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>有效导磁率Ue：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>电感系数AL：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>标准AL:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>气隙GAP：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>磁芯尺寸</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>B</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>C</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>D</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>变压器设计结果</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>设计结果不是最新的：请点击「变压器设计结果」</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>返回</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FrmWireTools</name>
    <message>
        <source>导线换算程序</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>漆包线</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>线材</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>线径mm ф</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>截面积S(mm2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>导体电阻Ω.M</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>长度L(M)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>电阻R(Ω)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>重量We(g)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AWG</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>允许电流A</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>电流密度A/mm2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Litz线</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>股数 P</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>趋表效应</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>频率KHz</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>趋表深度mm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>最大线径及厚度</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rac</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>漆包线的交流电阻</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ω</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Foil</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>厚度(mm)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>宽度(mm)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>计时(秒)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Tr</name>
    <message>
        <source>7 设计校核</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>校核条件：最高交流输入 %1 V，开关管额定 %2 V，输入电容 %3，电网 %4 Hz</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>校核项目</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>项目</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>校核值</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>经典方法</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>限值</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>判定</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>【%1】%2：%3。%4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>13 磁芯推荐</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>符合筛选条件的组合 %1 个%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>，列出前 %1 个</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>（</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> cm³，</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> W）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>体积与损耗的帕累托前沿（没有别的可行组合既更小又更凉）：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>；</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kelvane::check</name>
    <message>
        <source>数值超出计算范围</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>初级</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>次级%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>没有输出</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>效率η为0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>输出功率为0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>缺少%1匝数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1匝数为0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>输出1电压与压降之和为0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>输入电压Udc为0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>初级电感Lp为0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>频率F为0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>未选择磁芯</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>磁芯缺少Ae</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>未选择电路形式</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>反射电压Vor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>输出电压按匝比反射到初级为</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>工作模式</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>最低输入满载时初级电流不回零，工作在连续模式</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>谷值电流 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>每个周期磁芯储能全部放完，工作在断续模式</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>按连续模式算出的谷值电流 ≤ 0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RCC在磁芯储能放完时再次导通，工作在临界模式</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RCC：谷值电流 = 0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>最低输入时占空比D</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>（半桥，每管）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>（推挽，每管）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>最低输入时占空比</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>，未给出设计占空比</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>，不超过设计值</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>，略超设计值</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>以此匝比，最低输入时占空比需</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>，超过设计值</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RCC工作频率</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>最低输入满载时RCC约在</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>工作</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>初级峰值电流Ipk</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>开关管和电流检测须按峰值电流</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>选取</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>初级谷值电流</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>开关导通时初级电流从</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>起上升</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>初级电流每个周期从零开始上升</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>初级有效值电流</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>半桥初级有效值电流</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>（不计励磁电流）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>推挽每半初级有效值电流</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>，决定初级铜损</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>次级%1有效值电流</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>中心抽头次级每半有效值电流</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>次级</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>有效值电流约</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>（按功率比例估算，漏感会使小路输出更大）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>输出</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>匝数为0，无法绕制</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>匝数 ≥ 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>设计电压为0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>按匝数输出</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>实际为</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>，设计值</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> V，偏差</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>，应调整匝数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>该磁材缺少饱和磁通密度Bs，无法判定Bpk</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>未选择磁材，无饱和磁通密度Bs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>峰值磁通密度</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>，低于饱和磁通密度Bs </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> mT的80%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>，超过Bs </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> mT的80%，高温时接近饱和</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>，超过饱和磁通密度Bs </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> mT，磁芯会饱和</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>磁通摆幅ΔB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>每周期磁通摆幅</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>，磁芯损耗随之而定</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>最低直流输入(按输入电容)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>最低交流输入电压为0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>电网频率为0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>输入电容为0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Udc ≤ 谷值</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>输入电容</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> µF太小，最低输入满载时撑不住母线电压</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>：根号内为负</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> µF在最低输入时母线谷值约</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>，不低于设计输入</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>，略低于设计输入</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>，明显低于设计输入</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> V，应加大电容或按此重算</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>开关管最高电压</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>最高交流输入电压为0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>半桥：Vds = √2 × </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>推挽：Vds = 2 × √2 × </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>（不计漏感尖峰）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>最高输入时开关管承受</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>，未给出开关管额定电压</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>，额定</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>，余量足够</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>，余量不足20%，加上漏感尖峰可能击穿</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>，超过额定电压</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>磁芯缺少体积Ve</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>磁芯损耗(100℃)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>按磁材损耗数据估算，磁芯损耗约</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>磁芯类型未知，无法得出窗口尺寸</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>磁芯缺少尺寸，无法得出窗口</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1缺少线径</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>线径</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> mm，在窗口高度</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> mm减去挡墙</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> mm内一匝也绕不下</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>没有绕组匝数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>，无法得出层数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1缺少直流电阻DCR</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>层，Fr </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>绕组损耗(含初级)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>各绕组在</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> kHz下计入集肤和邻近效应，铜损合计</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>变压器损耗占输入功率的</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>，损耗过大</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>线径与集肤深度</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>没有绕组线径</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>最粗线径</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>，不超过集肤深度的两倍</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>，超过集肤深度的两倍，交流电阻增大，可考虑多股线</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>，超过集肤深度的三倍，应改用多股线</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>每层至少一匝</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Σ 层数 × 1.1d + 0.15 mm × (绕组数 − 1) = </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>各绕组叠起来厚</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>，窗口宽</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>，放得下</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>，很紧，绕制困难</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>，放不下</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>磁芯缺少尺寸，无法得出表面积</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>按表面积估算温升</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>，未给出允许温升</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>，允许</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>，环境</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> ℃时表面约</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>未算出气隙</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>环形磁芯不开气隙</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>环形磁芯不能开气隙，应换用可开气隙的磁芯或粉芯</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>环形磁芯，不需要气隙</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>气隙</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>，可以加工</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>太小，难以保证公差，电感量会偏差</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>超过中柱宽度的四分之一，边缘磁通会加热附近的绕组</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>校核：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>尚无可校核的数值</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>全部合格</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> 项不合格</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> 项警告</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>；磁芯参数为估算值（±10%）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>该磁材没有损耗数据</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>未选择磁材</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>该磁材缺少初始磁导率，无法得出损耗指数β</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>该磁材的初始磁导率不在损耗分类内，无法得出损耗指数β</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>该磁材的损耗数据无法用于此频率</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>合格</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>警告</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不合格</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>参考</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kelvane::cli</name>
    <message>
        <source>经典方法</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kelvane::construction</name>
    <message>
        <source>未选择电路形式</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>没有输出</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1的匝数或线径未算出（请点击「变压器设计结果」）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>未选择磁芯</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>起始</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>抽头</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>跨接</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>结束</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>引脚%1用于多处：%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>未选择安全标准，无耐压要求</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>磁芯</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>初级—次级</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>次级—次级</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>初级—初级</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>初级—磁芯</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>次级—磁芯</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>（前半）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>（后半）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>缺少匝长，无法估算漏感</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>数值超出计算范围</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1线径%2 mm超过%3 kHz集肤深度的两倍（2δ = %4 mm），改用%5股%6 mm并绕</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1用三层绝缘线（外径按导体直径加%2 mm），不留挡墙</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>磁芯缺少尺寸，无法得出窗口</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1线径%2 mm在窗口高度%3 mm减去挡墙%4 mm内一匝也绕不下</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>变压器规格书（绕线厂）：以下各节由设计与设计校核导出。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>绕组</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>类型</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>起始脚</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>中间脚</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>结束脚</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>匝数(T)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>导线</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>引脚</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>黑点为各绕组的起始端，所有绕组按同一方向绕制。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>初级夹绕，前后两半在中间脚相接。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>中心抽头绕组两半连续绕制，抽头接中间脚。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1层（外包）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1层（加强绝缘）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1层</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>前半</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>后半</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>绕制方式</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>夹绕：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>顺序绕：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>绕线窗口（长×宽）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>爬电距离</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>挡墙宽度（每侧）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>胶带</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 mm聚酯胶带，宽同绕线窗口（含胶每层按%2 mm计）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>序</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>起→止脚</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>匝数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>每层匝数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>层数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>挡墙(每侧)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>之后胶带</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>绕线顺序（由里向外）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>绕组总厚度</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>窗口宽度</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>判定</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>放得下，占窗口宽度的%1%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>放不下，需窗口宽度的%1%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>缺少初级电感量或匝数，无法给出AL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不开气隙，配合面研磨平整</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>电感系数AL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>计算</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AL范围</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>中柱气隙（参考）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>以AL验收磁芯；气隙长度仅作中柱研磨的参考。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>测试项目</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>测试脚</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>条件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>要求</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 kHz，%2 V</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>初级电感量Lp</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>，其余绕组开路</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>漏感Llk</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>，</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>短路</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>耐压Hi-Pot</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>直流电阻DCR</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>，20 ℃</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>≤ %1 Ω（设计%2 Ω +%3%）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>电气测试表</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>漏感按一维估算：磁场沿绕组层长均匀，Llk = μ0 × N² × MLT ÷ %1 mm × Σ∫f²dx ≈ %2 µH（N为所测初级匝数，层长取各步挡墙间的平均长度，f为各层间安匝）；与实测通常相差±%3%以内，上限取估算值的%4倍，向上取两位有效数字。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>漏感：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>耐压：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 mH ±%2%（%3～%4 mH）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>设计校核有%1项不合格：%2。修改设计之前，本规格书不得用于生产。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>绕制说明、截面、气隙和测试无法给出：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>8 电气原理图与引脚</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>9 绕制说明</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>10 绕组截面（按比例）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>11 气隙</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>12 电气测试</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kelvane::gui::AdviceChart</name>
    <message>
        <source>磁芯体积 Ve (cm³)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>总损耗 (W)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>没有可显示的组合</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 %2
Ve %3 cm³，总损耗 %4 W
校核 %5%6</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kelvane::gui::CheckPage</name>
    <message>
        <source>电感测试频率(kHz)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>测试电压(V)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>引脚（规格书）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>绕组</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>绕组类型</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>起始脚</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>中间脚</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>结束脚</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>导线</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>项目</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>校核值</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>经典方法</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>限值</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>判定</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>说明</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kelvane::gui::FrmAdvisor</name>
    <message>
        <source>全部</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>只看可行</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>只看功率材质</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>导出推荐报告…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>磁芯推荐</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不限</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>-推荐.pdf</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>导出推荐报告</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>导出失败：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>磁芯类型</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>厂家</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>最高温升</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>排序中…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>计算中…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 个组合，其中 %2 个可行</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法绘制推荐图表</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kelvane::gui::FrmFanji</name>
    <message>
        <source>Kelvane™ 磁性元件设计  ·  </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>设计校核</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>绕组WNG</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>匝数(T)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>线径φ(mm)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>压降Δu(V)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>损耗Pcu(W)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>线重W(g)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>初级</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>保存</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>打开</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>导出设计报告</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>导出失败：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>变压器模型与试验电路(*.cir)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>仅变压器子电路(*.lib)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>导出SPICE模型</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法载入图片：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>打开&amp;O</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>保存&amp;S</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>列印文件&amp;P</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>导出设计报告…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>导出SPICE模型…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>最近打开的文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>退出&amp;X</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>工具</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>帮助</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>关于</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>磁芯推荐</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>设计已修改，是否保存？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>保存(&amp;Y)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不保存(&amp;N)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>取消</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>所需面积乘积AP：%1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kelvane::gui::FrmWireTools</name>
    <message>
        <source>现在是：00:00:00 PM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>打印</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>关闭</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>关于</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kelvane::gui::MessageBoxPrompter</name>
    <message>
        <source>确定</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>是(&amp;Y)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>否(&amp;N)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>取消</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kelvane::gui::OutputVoltageView</name>
    <message>
        <source>输出电压：仿真（上）与校核（下），色带为校核的合格与警告范围</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>输出00  </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> 目标 000 V</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>目标 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>仿真 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>校核 </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kelvane::gui::SimulationPanel</name>
    <message>
        <source>仿真</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>取消</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>指定ngspice程序…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>指定ngspice程序</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>使用PATH中的ngspice</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>用ngspice在最低直流输入、校核的占空比下运行试验电路（%1）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>仿真：请先安装ngspice（apt-get install ngspice）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>（设置为%1）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>仿真中：ngspice正在运行试验电路…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>仿真已取消</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>设计已更改：下面是更改前的设计的仿真结果，请重新仿真</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kelvane::messages</name>
    <message>
        <source>无法写入%1：%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>打印机不可用</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法生成PDF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>最高交流输入电压(V)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>开关管额定电压(V)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>输入电容(µF)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>按输入功率</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>电网频率(Hz)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>输出%1实际电压</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>峰值磁通密度Bpk</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>变压器损耗占比</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>绕组厚度</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>温升(表面积法)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>气隙</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>初级</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>次级</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>初级侧辅助</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>漆包线</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>三层绝缘线</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kelvane::render</name>
    <message>
        <source>初级侧</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>次级侧</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>中柱</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>外柱（绕组超出窗口）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>外柱</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>窗口长 %1 mm × 宽 %2 mm，绕组总厚 %3 mm；比例 %4 : 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>初级</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>次级</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>初级侧辅助</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>胶带</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>挡墙</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>设计文件：%1    日期：%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>第 %1 页 / 共 %2 页</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>[\s、，：；—]|(?&lt;=\p{Han})|(?=\p{Han})</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>（磁芯图片无法读取：%1）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>（图表无法读取：%1）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>初级电流波形（两个开关周期）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法写入%1：%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法生成PDF：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无电流波形：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>设计</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kelvane::report</name>
    <message>
        <source>储能变压器</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>正激(双极性变换)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RCC变压器</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>，推挽全、全桥</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 设计要求</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>电路形式</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>最低交流输入电压UacMin</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>输入电压Udc</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>工作频率F</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>开关占空比D</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>变换效率η</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>输出电压V</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>工作电流A</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>线路压降V</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>功率W</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>输出：无</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>次级输出</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>总输出功率Pout</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>输入功率Pint</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2 初级侧</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>全周期Ts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>导通时间Ton</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ts平均输入电流Is</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ton导通电流Im</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>导通初期电流Ip1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>导通峰值电流Ipk</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>导通电流变化量Δi</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>原边电感量Lp</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>正激电路不计算Im、Ip1、Ipk。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>3 磁芯与磁材</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>磁芯规格</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>生产厂家</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>数据来源</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>磁芯尺寸(mm)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>中柱面积Ae</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>磁路长度Le</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>体积Ve</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>绕线面积Aw</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>匝长</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>磁芯重量</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>所需面积积AP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>磁芯面积积AP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>磁芯</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>材质名称</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>磁材类型</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>磁材厂家</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>初始磁导率Ui</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>饱和磁通密度Bs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>剩余磁通密度Br</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>磁材</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bm设计取值</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>功率损耗PL(体积)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>功率损耗PL(重量)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>磁芯损耗</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>低于</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不低于</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>所选标准的占积率上限</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>4 绕组</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>绕组</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>匝数(T)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>线径φ(mm)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>压降Δu(V)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>损耗Pcu(W)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>线重W(g)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>绕组：未计算（按“变压器设计结果”计算）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>绕组表</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>绕组用铜总量</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>绕组损耗Pcu</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>绕组占积率</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>占积率判定</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>电感系数AL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>标准AL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>有效导磁率Ue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>气隙GAP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>5 损耗与温升</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>变压器总损耗PT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>变压器模拟温升</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>绝缘等级</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>环境温度</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>允许温升</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>温升判定</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不超过允许温升</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>超出允许温升</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>6 安全要求</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>安全标准</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>最小爬电距离</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>开关变压器设计报告</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>（未保存的设计）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>未选择</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>未选择电路形式</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ts或Ton缺失或不为正</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ton大于Ts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Is或Δi缺失或不为正</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Δi大于导通平均电流的两倍</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ip1或Ipk缺失或不为正</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ip1大于Ipk</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>正激：Ip1、Ipk由Is、Δi推得</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RCC：临界导通，Ip1 = %1 A</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
