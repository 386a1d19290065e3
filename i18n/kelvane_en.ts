<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>FrmAbout</name>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>系统信息(&amp;S)...</source>
        <translation>&amp;System Info...</translation>
    </message>
</context>
<context>
    <name>FrmFanji</name>
    <message>
        <source>变压器设计要求</source>
        <translation>Transformer requirements</translation>
    </message>
    <message>
        <source>选择电路形式</source>
        <translation>Circuit type</translation>
    </message>
    <message>
        <source>储能变压器</source>
        <translation>Flyback (energy storage) transformer</translation>
    </message>
    <message>
        <source>正激(双极性变换)</source>
        <translation>Forward (bipolar conversion)</translation>
    </message>
    <message>
        <source>RCC变压器</source>
        <translation>RCC transformer</translation>
    </message>
    <message>
        <source>推挽全、全桥</source>
        <translation>Push-pull / full bridge</translation>
    </message>
    <message>
        <source>电源初级侧参数设置</source>
        <translation>Primary-side parameters</translation>
    </message>
    <message>
        <source>UacMin(V)</source>
        <translation>UacMin (V)</translation>
    </message>
    <message>
        <source>输入电压Udc(v)</source>
        <translation>Input voltage Udc (V)</translation>
    </message>
    <message>
        <source>工作频率F(kHz)</source>
        <translation>Frequency F (kHz)</translation>
    </message>
    <message>
        <source>开关占空比D</source>
        <translation>Duty cycle D</translation>
    </message>
    <message>
        <source>全周期Ts(us)</source>
        <translation>Period Ts (µs)</translation>
    </message>
    <message>
        <source>导通时间Ton(us)</source>
        <translation>On-time Ton (µs)</translation>
    </message>
    <message>
        <source>Hi-Pot&amp;&amp; Insulation System</source>
        <translation>Hi-pot &amp;&amp; insulation system</translation>
    </message>
    <message>
        <source>环境温度℃</source>
        <translation>Ambient ℃</translation>
    </message>
    <message>
        <source>请设定变压器使用时的环境温度</source>
        <translation>Ambient temperature the transformer will work in</translation>
    </message>
    <message>
        <source>允许温升℃</source>
        <translation>Allowed rise ℃</translation>
    </message>
    <message>
        <source>请设定此变压器的允许工作温升</source>
        <translation>Temperature rise allowed for this transformer</translation>
    </message>
    <message>
        <source>绝缘等级或系统</source>
        <translation>Insulation class</translation>
    </message>
    <message>
        <source>IEC</source>
        <translation>IEC</translation>
    </message>
    <message>
        <source>UL OR CAS</source>
        <translation>UL or CSA</translation>
    </message>
    <message>
        <source>VDE</source>
        <translation>VDE</translation>
    </message>
    <message>
        <source>自定义</source>
        <translation>Custom</translation>
    </message>
    <message>
        <source>最小爬电距离mm</source>
        <translation>Creepage distance mm</translation>
    </message>
    <message>
        <source>Pir Vs Sec</source>
        <translation>Pri vs sec</translation>
    </message>
    <message>
        <source>Pir Vs Pri</source>
        <translation>Pri vs pri</translation>
    </message>
    <message>
        <source>Pir Vs Core</source>
        <translation>Pri vs core</translation>
    </message>
    <message>
        <source>Sec Vs Core</source>
        <translation>Sec vs core</translation>
    </message>
    <message>
        <source>Sec Vs Sec</source>
        <translation>Sec vs sec</translation>
    </message>
    <message>
        <source>次级输出</source>
        <translation>Secondary outputs</translation>
    </message>
    <message>
        <source>输出电压Udc(V)</source>
        <translation>Output voltage Udc (V)</translation>
    </message>
    <message>
        <source>输出电流Idc(A)</source>
        <translation>Output current Idc (A)</translation>
    </message>
    <message>
        <source>线路压降Udio(v)</source>
        <translation>Line drop Udio (V)</translation>
    </message>
    <message>
        <source>输出功率Pout(W)</source>
        <translation>Output power Pout (W)</translation>
    </message>
    <message>
        <source>变换效率η</source>
        <translation>Efficiency η</translation>
    </message>
    <message>
        <source>输入功率Pint</source>
        <translation>Input power Pint</translation>
    </message>
    <message>
        <source>Ts平均输入电流Is(A)</source>
        <translation>Average input current Is (A)</translation>
    </message>
    <message>
        <source>Ton导通电流Im(A)</source>
        <translation>On-state current Im (A)</translation>
    </message>
    <message>
        <source>导通初期电流Ip1(A)</source>
        <translation>Initial on-current Ip1 (A)</translation>
    </message>
    <message>
        <source>Ipk/Ip1</source>
        <translation>Ipk/Ip1</translation>
    </message>
    <message>
        <source>导通峰值电流Ipk(A)</source>
        <translation>Peak on-current Ipk (A)</translation>
    </message>
    <message>
        <source>导通电流变化量△i(A)</source>
        <translation>On-current change Δi (A)</translation>
    </message>
    <message>
        <source>下一序号</source>
        <translation>Next row</translation>
    </message>
    <message>
        <source>总输出功率(W)</source>
        <translation>Total output power (W)</translation>
    </message>
    <message>
        <source>添加输出</source>
        <translation>Add output</translation>
    </message>
    <message>
        <source>删除输出</source>
        <translation>Delete output</translation>
    </message>
    <message>
        <source>修改</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>下一步</source>
        <translation>Next</translation>
    </message>
    <message>
        <source>磁材参考数据</source>
        <translation>Material data</translation>
    </message>
    <message>
        <source>磁材设计</source>
        <translation>Material design</translation>
    </message>
    <message>
        <source>磁材类型</source>
        <translation>Material type</translation>
    </message>
    <message>
        <source>材质名称</source>
        <translation>Material name</translation>
    </message>
    <message>
        <source>初始磁导率Ui</source>
        <translation>Initial permeability µi</translation>
    </message>
    <message>
        <source>+/-</source>
        <translation>+/-</translation>
    </message>
    <message>
        <source>%</source>
        <translation>%</translation>
    </message>
    <message>
        <source>居里温度Tc(℃)</source>
        <translation>Curie temp. Tc (℃)</translation>
    </message>
    <message>
        <source>磁通密度Bm @1194A/m(mT)</source>
        <translation>Bm @1194 A/m (mT)</translation>
    </message>
    <message>
        <source>剩余磁通密度Br(mT)</source>
        <translation>Remanence Br (mT)</translation>
    </message>
    <message>
        <source>矫顽力Hc(A/m)</source>
        <translation>Coercivity Hc (A/m)</translation>
    </message>
    <message>
        <source>电阻率P(Ω-m)</source>
        <translation>Resistivity ρ (Ω·m)</translation>
    </message>
    <message>
        <source>密度Dy(g/cm3)</source>
        <translation>Density Dy (g/cm³)</translation>
    </message>
    <message>
        <source>Factory</source>
        <translation>Maker</translation>
    </message>
    <message>
        <source>功率损耗PL mW/cm3</source>
        <translation>Core loss PL mW/cm³</translation>
    </message>
    <message>
        <source>@ 25℃</source>
        <translation>@ 25℃</translation>
    </message>
    <message>
        <source>@ 60℃</source>
        <translation>@ 60℃</translation>
    </message>
    <message>
        <source>@ 100℃</source>
        <translation>@ 100℃</translation>
    </message>
    <message>
        <source>@ 120℃</source>
        <translation>@ 120℃</translation>
    </message>
    <message>
        <source>材质搜索</source>
        <translation>Material search</translation>
    </message>
    <message>
        <source>查找</source>
        <translation>Find</translation>
    </message>
    <message>
        <source>添加</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Bm设计取值(mT)</source>
        <translation>Design Bm (mT)</translation>
    </message>
    <message>
        <source>电流密度J(A/mm2)</source>
        <translation>Current density J (A/mm²)</translation>
    </message>
    <message>
        <source>功率损耗PL mW/g</source>
        <translation>Core loss PL mW/g</translation>
    </message>
    <message>
        <source>上一步</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>磁芯</source>
        <translation>Core</translation>
    </message>
    <message>
        <source>磁芯选择</source>
        <translation>Core selection</translation>
    </message>
    <message>
        <source>所选磁芯规格</source>
        <translation>Chosen core</translation>
    </message>
    <message>
        <source>中柱面积Ae(mm2)</source>
        <translation>Core area Ae (mm²)</translation>
    </message>
    <message>
        <source>磁路长度Le(mm)</source>
        <translation>Path length Le (mm)</translation>
    </message>
    <message>
        <source>绕线面积Aw(mm2)</source>
        <translation>Winding area Aw (mm²)</translation>
    </message>
    <message>
        <source>匝长(mm)</source>
        <translation>Mean turn (mm)</translation>
    </message>
    <message>
        <source>生产厂家</source>
        <translation>Maker</translation>
    </message>
    <message>
        <source>体积Ve(cm3)</source>
        <translation>Volume Ve (cm³)</translation>
    </message>
    <message>
        <source>磁芯重量W(g/set)</source>
        <translation>Mass W (g/set)</translation>
    </message>
    <message>
        <source>磁芯损耗(W)</source>
        <translation>Core loss (W)</translation>
    </message>
    <message>
        <source>数据来源</source>
        <translation>Data source</translation>
    </message>
    <message>
        <source>磁芯参数Ae、Le、Ve的来源与精度</source>
        <translation>Source and accuracy of the core&apos;s Ae, Le, Ve</translation>
    </message>
    <message>
        <source>设计参数</source>
        <translation>Design parameters</translation>
    </message>
    <message>
        <source>设计参数表</source>
        <translation>Design parameters</translation>
    </message>
    <message>
        <source>原边电感量Lp(mH)</source>
        <translation>Primary inductance Lp (mH)</translation>
    </message>
    <message>
        <source>绕组用铜总量(g)</source>
        <translation>Copper mass (g)</translation>
    </message>
    <message>
        <source>绕组损耗Pcu(W)</source>
        <translation>Copper loss Pcu (W)</translation>
    </message>
    <message>
        <source>变压器总损耗PT(W)</source>
        <translation>Total loss PT (W)</translation>
    </message>
    <message>
        <source>变压器输出功率(W)</source>
        <translation>Output power (W)</translation>
    </message>
    <message>
        <source>绕组占积率</source>
        <translation>Winding fill factor</translation>
    </message>
    <message>
        <source>适用磁芯规格：</source>
        <translation>Suitable cores:</translation>
    </message>
    <message>
        <source>变压器模拟温升：</source>
        <translation>Temperature rise:</translation>
    </message>
    <message>
        <source>有效导磁率Ue：</source>
        <translation>Effective permeability µe:</translation>
    </message>
    <message>
        <source>电感系数AL：</source>
        <translation>Inductance factor AL:</translation>
    </message>
    <message>
        <source>标准AL:</source>
        <translation>Standard AL:</translation>
    </message>
    <message>
        <source>气隙GAP：</source>
        <translation>Air gap GAP:</translation>
    </message>
    <message>
        <source>磁芯尺寸</source>
        <translation>Core dimensions</translation>
    </message>
    <message>
        <source>A</source>
        <translation>A</translation>
    </message>
    <message>
        <source>B</source>
        <translation>B</translation>
    </message>
    <message>
        <source>C</source>
        <translation>C</translation>
    </message>
    <message>
        <source>D</source>
        <translation>D</translation>
    </message>
    <message>
        <source>E</source>
        <translation>E</translation>
    </message>
    <message>
        <source>F</source>
        <translation>F</translation>
    </message>
    <message>
        <source>变压器设计结果</source>
        <translation>Design results</translation>
    </message>
    <message>
        <source>设计结果不是最新的：请点击「变压器设计结果」</source>
        <translation>The results are out of date: click &quot;Design results&quot;</translation>
    </message>
    <message>
        <source>返回</source>
        <translation>Back</translation>
    </message>
</context>
<context>
    <name>FrmWireTools</name>
    <message>
        <source>导线换算程序</source>
        <translation>Wire calculator</translation>
    </message>
    <message>
        <source>漆包线</source>
        <translation>Enamelled wire</translation>
    </message>
    <message>
        <source>线材</source>
        <translation>Wire</translation>
    </message>
    <message>
        <source>线径mm ф</source>
        <translation>Wire dia. mm ф</translation>
    </message>
    <message>
        <source>截面积S(mm2)</source>
        <translation>Cross-section S (mm²)</translation>
    </message>
    <message>
        <source>导体电阻Ω.M</source>
        <translation>Conductor resistivity Ω·m</translation>
    </message>
    <message>
        <source>长度L(M)</source>
        <translation>Length L (m)</translation>
    </message>
    <message>
        <source>电阻R(Ω)</source>
        <translation>Resistance R (Ω)</translation>
    </message>
    <message>
        <source>重量We(g)</source>
        <translation>Mass We (g)</translation>
    </message>
    <message>
        <source>AWG</source>
        <translation>AWG</translation>
    </message>
    <message>
        <source>允许电流A</source>
        <translation>Rated current A</translation>
    </message>
    <message>
        <source>电流密度A/mm2</source>
        <translation>Current density A/mm²</translation>
    </message>
    <message>
        <source>Litz线</source>
        <translation>Litz wire</translation>
    </message>
    <message>
        <source>股数 P</source>
        <translation>Strands P</translation>
    </message>
    <message>
        <source>趋表效应</source>
        <translation>Skin effect</translation>
    </message>
    <message>
        <source>频率KHz</source>
        <translation>Frequency kHz</translation>
    </message>
    <message>
        <source>趋表深度mm</source>
        <translation>Skin depth mm</translation>
    </message>
    <message>
        <source>最大线径及厚度</source>
        <translation>Largest wire size and thickness</translation>
    </message>
    <message>
        <source>Rac</source>
        <translation>Rac</translation>
    </message>
    <message>
        <source>漆包线的交流电阻</source>
        <translation>AC resistance of the enamelled wire</translation>
    </message>
    <message>
        <source>Ω</source>
        <translation>Ω</translation>
    </message>
    <message>
        <source>Foil</source>
        <translation>Foil</translation>
    </message>
    <message>
        <source>厚度(mm)</source>
        <translation>Thickness (mm)</translation>
    </message>
    <message>
        <source>宽度(mm)</source>
        <translation>Width (mm)</translation>
    </message>
    <message>
        <source>计时(秒)</source>
        <translation>Timer (s)</translation>
    </message>
</context>
<context>
    <name>kelvane::check</name>
    <message>
        <source>数值超出计算范围</source>
        <translation>Value out of range</translation>
    </message>
    <message>
        <source>初级</source>
        <translation>Primary</translation>
    </message>
    <message>
        <source>次级%1</source>
        <translation>Secondary %1</translation>
    </message>
    <message>
        <source>没有输出</source>
        <translation>No outputs</translation>
    </message>
    <message>
        <source>效率η为0</source>
        <translation>Efficiency η is 0</translation>
    </message>
    <message>
        <source>输出功率为0</source>
        <translation>Output power is 0</translation>
    </message>
    <message>
        <source>缺少%1匝数</source>
        <translation>Turns of %1 missing</translation>
    </message>
    <message>
        <source>%1匝数为0</source>
        <translation>%1 has 0 turns</translation>
    </message>
    <message>
        <source>输出1电压与压降之和为0</source>
        <translation>Output 1 voltage plus drop is 0</translation>
    </message>
    <message>
        <source>输入电压Udc为0</source>
        <translation>Input voltage Udc is 0</translation>
    </message>
    <message>
        <source>初级电感Lp为0</source>
        <translation>Primary inductance Lp is 0</translation>
    </message>
    <message>
        <source>频率F为0</source>
        <translation>Frequency F is 0</translation>
    </message>
    <message>
        <source>未选择磁芯</source>
        <translation>No core chosen</translation>
    </message>
    <message>
        <source>磁芯缺少Ae</source>
        <translation>The core has no Ae</translation>
    </message>
    <message>
        <source>未选择电路形式</source>
        <translation>No circuit chosen</translation>
    </message>
    <message>
        <source>反射电压Vor</source>
        <translation>Reflected voltage Vor</translation>
    </message>
    <message>
        <source>输出电压按匝比反射到初级为</source>
        <translation>The output voltage reflected to the primary by the turns ratio is </translation>
    </message>
    <message>
        <source>工作模式</source>
        <translation>Operating mode</translation>
    </message>
    <message>
        <source>最低输入满载时初级电流不回零，工作在连续模式</source>
        <translation>At the lowest input and full load the primary current does not return to zero: continuous mode</translation>
    </message>
    <message>
        <source>谷值电流 </source>
        <translation>Valley current </translation>
    </message>
    <message>
        <source>每个周期磁芯储能全部放完，工作在断续模式</source>
        <translation>The core&apos;s energy is fully released every period: discontinuous mode</translation>
    </message>
    <message>
        <source>按连续模式算出的谷值电流 ≤ 0</source>
        <translation>valley current computed for continuous mode ≤ 0</translation>
    </message>
    <message>
        <source>RCC在磁芯储能放完时再次导通，工作在临界模式</source>
        <translation>The RCC turns on again when the core&apos;s energy is spent: boundary mode</translation>
    </message>
    <message>
        <source>RCC：谷值电流 = 0</source>
        <translation>RCC: valley current = 0</translation>
    </message>
    <message>
        <source>最低输入时占空比D</source>
        <translation>Duty cycle D at the lowest input</translation>
    </message>
    <message>
        <source>（半桥，每管）</source>
        <translation> (half bridge, per switch)</translation>
    </message>
    <message>
        <source>（推挽，每管）</source>
        <translation> (push-pull, per switch)</translation>
    </message>
    <message>
        <source>最低输入时占空比</source>
        <translation>Duty cycle at the lowest input </translation>
    </message>
    <message>
        <source>，未给出设计占空比</source>
        <translation>, no design duty cycle given</translation>
    </message>
    <message>
        <source>，不超过设计值</source>
        <translation>, within the design value</translation>
    </message>
    <message>
        <source>，略超设计值</source>
        <translation>, slightly above the design value</translation>
    </message>
    <message>
        <source>以此匝比，最低输入时占空比需</source>
        <translation>With these turns the duty cycle at the lowest input must be </translation>
    </message>
    <message>
        <source>，超过设计值</source>
        <translation>, above the design value</translation>
    </message>
    <message>
        <source>RCC工作频率</source>
        <translation>RCC frequency</translation>
    </message>
    <message>
        <source>最低输入满载时RCC约在</source>
        <translation>At the lowest input and full load the RCC runs at about </translation>
    </message>
    <message>
        <source>工作</source>
        <translation>.</translation>
    </message>
    <message>
        <source>初级峰值电流Ipk</source>
        <translation>Primary peak current Ipk</translation>
    </message>
    <message>
        <source>开关管和电流检测须按峰值电流</source>
        <translation>Rate the switch and the current sense for the peak current </translation>
    </message>
    <message>
        <source>选取</source>
        <translation>.</translation>
    </message>
    <message>
        <source>初级谷值电流</source>
        <translation>Primary valley current</translation>
    </message>
    <message>
        <source>开关导通时初级电流从</source>
        <translation>At turn-on the primary current starts from </translation>
    </message>
    <message>
        <source>起上升</source>
        <translation> upwards</translation>
    </message>
    <message>
        <source>初级电流每个周期从零开始上升</source>
        <translation>The primary current rises from zero every period</translation>
    </message>
    <message>
        <source>初级有效值电流</source>
        <translation>Primary rms current</translation>
    </message>
    <message>
        <source>半桥初级有效值电流</source>
        <translation>Half-bridge primary rms current </translation>
    </message>
    <message>
        <source>（不计励磁电流）</source>
        <translation> (magnetising current not included)</translation>
    </message>
    <message>
        <source>推挽每半初级有效值电流</source>
        <translation>RMS current of each half of the push-pull primary </translation>
    </message>
    <message>
        <source>，决定初级铜损</source>
        <translation>, which sets the primary copper loss</translation>
    </message>
    <message>
        <source>次级%1有效值电流</source>
        <translation>Secondary %1 rms current</translation>
    </message>
    <message>
        <source>中心抽头次级每半有效值电流</source>
        <translation>RMS current of each half of the centre-tapped secondary </translation>
    </message>
    <message>
        <source>次级</source>
        <translation>Secondary</translation>
    </message>
    <message>
        <source>有效值电流约</source>
        <translation> rms current about </translation>
    </message>
    <message>
        <source>（按功率比例估算，漏感会使小路输出更大）</source>
        <translation> (estimated by power share; leakage makes a lightly loaded output higher)</translation>
    </message>
    <message>
        <source>输出</source>
        <translation>Output</translation>
    </message>
    <message>
        <source>匝数为0，无法绕制</source>
        <translation> has 0 turns and cannot be wound</translation>
    </message>
    <message>
        <source>匝数 ≥ 1</source>
        <translation>turns ≥ 1</translation>
    </message>
    <message>
        <source>设计电压为0</source>
        <translation>Design voltage is 0</translation>
    </message>
    <message>
        <source>按匝数输出</source>
        <translation>By the turns, output </translation>
    </message>
    <message>
        <source>实际为</source>
        <translation> comes out at </translation>
    </message>
    <message>
        <source>，设计值</source>
        <translation>, design value </translation>
    </message>
    <message>
        <source> V，偏差</source>
        <translation> V, deviation </translation>
    </message>
    <message>
        <source>，应调整匝数</source>
        <translation>: adjust the turns</translation>
    </message>
    <message>
        <source>该磁材缺少饱和磁通密度Bs，无法判定Bpk</source>
        <translation>The material has no saturation flux density Bs: Bpk cannot be judged</translation>
    </message>
    <message>
        <source>未选择磁材，无饱和磁通密度Bs</source>
        <translation>No material chosen: no saturation flux density Bs</translation>
    </message>
    <message>
        <source>峰值磁通密度</source>
        <translation>Peak flux density </translation>
    </message>
    <message>
        <source>，低于饱和磁通密度Bs </source>
        <translation>, below 80% of the saturation flux density Bs </translation>
    </message>
    <message>
        <source> mT的80%</source>
        <translation> mT</translation>
    </message>
    <message>
        <source>，超过Bs </source>
        <translation>, above 80% of Bs </translation>
    </message>
    <message>
        <source> mT的80%，高温时接近饱和</source>
        <translation> mT, close to saturation when hot</translation>
    </message>
    <message>
        <source>，超过饱和磁通密度Bs </source>
        <translation>, above the saturation flux density Bs </translation>
    </message>
    <message>
        <source> mT，磁芯会饱和</source>
        <translation> mT: the core saturates</translation>
    </message>
    <message>
        <source>磁通摆幅ΔB</source>
        <translation>Flux swing ΔB</translation>
    </message>
    <message>
        <source>每周期磁通摆幅</source>
        <translation>Flux swing per period </translation>
    </message>
    <message>
        <source>，磁芯损耗随之而定</source>
        <translation>, which sets the core loss</translation>
    </message>
    <message>
        <source>最低直流输入(按输入电容)</source>
        <translation>Lowest DC input (by bulk capacitor)</translation>
    </message>
    <message>
        <source>最低交流输入电压为0</source>
        <translation>Lowest AC input voltage is 0</translation>
    </message>
    <message>
        <source>电网频率为0</source>
        <translation>Line frequency is 0</translation>
    </message>
    <message>
        <source>输入电容为0</source>
        <translation>Bulk capacitor is 0</translation>
    </message>
    <message>
        <source>Udc ≤ 谷值</source>
        <translation>Udc ≤ valley</translation>
    </message>
    <message>
        <source>输入电容</source>
        <translation>Bulk capacitor</translation>
    </message>
    <message>
        <source> µF太小，最低输入满载时撑不住母线电压</source>
        <translation> µF is too small to hold up the bus at the lowest input and full load</translation>
    </message>
    <message>
        <source>：根号内为负</source>
        <translation>: negative under the root</translation>
    </message>
    <message>
        <source> µF在最低输入时母线谷值约</source>
        <translation> µF, the bus valley at the lowest input is about </translation>
    </message>
    <message>
        <source>，不低于设计输入</source>
        <translation>, not below the design input</translation>
    </message>
    <message>
        <source>，略低于设计输入</source>
        <translation>, slightly below the design input</translation>
    </message>
    <message>
        <source>，明显低于设计输入</source>
        <translation>, well below the design input</translation>
    </message>
    <message>
        <source> V，应加大电容或按此重算</source>
        <translation> V; use a larger capacitor or redesign for this voltage</translation>
    </message>
    <message>
        <source>开关管最高电压</source>
        <translation>Highest switch voltage</translation>
    </message>
    <message>
        <source>最高交流输入电压为0</source>
        <translation>Highest AC input voltage is 0</translation>
    </message>
    <message>
        <source>半桥：Vds = √2 × </source>
        <translation>Half bridge: Vds = √2 × </translation>
    </message>
    <message>
        <source>推挽：Vds = 2 × √2 × </source>
        <translation>Push-pull: Vds = 2 × √2 × </translation>
    </message>
    <message>
        <source>（不计漏感尖峰）</source>
        <translation> (leakage spike not included)</translation>
    </message>
    <message>
        <source>最高输入时开关管承受</source>
        <translation>At the highest input the switch sees </translation>
    </message>
    <message>
        <source>，未给出开关管额定电压</source>
        <translation>, no switch rating given</translation>
    </message>
    <message>
        <source>，额定</source>
        <translation>, rated </translation>
    </message>
    <message>
        <source>，余量足够</source>
        <translation>, enough margin</translation>
    </message>
    <message>
        <source>，余量不足20%，加上漏感尖峰可能击穿</source>
        <translation>, less than 20% margin: the leakage spike may break it down</translation>
    </message>
    <message>
        <source>，超过额定电压</source>
        <translation>, above the rating</translation>
    </message>
    <message>
        <source>磁芯缺少体积Ve</source>
        <translation>The core has no volume Ve</translation>
    </message>
    <message>
        <source>磁芯损耗(100℃)</source>
        <translation>Core loss (100℃)</translation>
    </message>
    <message>
        <source>按磁材损耗数据估算，磁芯损耗约</source>
        <translation>From the material&apos;s loss data the core loss is about </translation>
    </message>
    <message>
        <source>磁芯类型未知，无法得出窗口尺寸</source>
        <translation>Unknown core type: no window dimensions</translation>
    </message>
    <message>
        <source>磁芯缺少尺寸，无法得出窗口</source>
        <translation>The core has no dimensions: no window</translation>
    </message>
    <message>
        <source>%1缺少线径</source>
        <translation>%1 has no wire size</translation>
    </message>
    <message>
        <source>线径</source>
        <translation>Wire size</translation>
    </message>
    <message>
        <source> mm，在窗口高度</source>
        <translation> mm, in the window height </translation>
    </message>
    <message>
        <source> mm减去挡墙</source>
        <translation> mm less margins </translation>
    </message>
    <message>
        <source> mm内一匝也绕不下</source>
        <translation> mm does not hold a single turn</translation>
    </message>
    <message>
        <source>没有绕组匝数</source>
        <translation>No winding turns</translation>
    </message>
    <message>
        <source>，无法得出层数</source>
        <translation>, layers cannot be found</translation>
    </message>
    <message>
        <source>%1缺少直流电阻DCR</source>
        <translation>%1 has no DC resistance</translation>
    </message>
    <message>
        <source>层，Fr </source>
        <translation> layers, Fr </translation>
    </message>
    <message>
        <source>绕组损耗(含初级)</source>
        <translation>Winding loss (primary included)</translation>
    </message>
    <message>
        <source>各绕组在</source>
        <translation>The windings, at </translation>
    </message>
    <message>
        <source> kHz下计入集肤和邻近效应，铜损合计</source>
        <translation> kHz with skin and proximity effect, total copper loss </translation>
    </message>
    <message>
        <source>变压器损耗占输入功率的</source>
        <translation>Share of the input power lost in the transformer: </translation>
    </message>
    <message>
        <source>，损耗过大</source>
        <translation>, loss too high</translation>
    </message>
    <message>
        <source>线径与集肤深度</source>
        <translation>Wire size and skin depth</translation>
    </message>
    <message>
        <source>没有绕组线径</source>
        <translation>No winding wire sizes</translation>
    </message>
    <message>
        <source>最粗线径</source>
        <translation>Thickest wire</translation>
    </message>
    <message>
        <source>，不超过集肤深度的两倍</source>
        <translation>, within twice the skin depth</translation>
    </message>
    <message>
        <source>，超过集肤深度的两倍，交流电阻增大，可考虑多股线</source>
        <translation>, more than twice the skin depth: higher AC resistance, consider stranded wire</translation>
    </message>
    <message>
        <source>，超过集肤深度的三倍，应改用多股线</source>
        <translation>, more than three times the skin depth: use stranded (litz) wire</translation>
    </message>
    <message>
        <source>每层至少一匝</source>
        <translation>at least one turn per layer</translation>
    </message>
    <message>
        <source>Σ 层数 × 1.1d + 0.15 mm × (绕组数 − 1) = </source>
        <translation>Σ layers × 1.1d + 0.15 mm × (windings − 1) = </translation>
    </message>
    <message>
        <source>各绕组叠起来厚</source>
        <translation>The windings stack to </translation>
    </message>
    <message>
        <source>，窗口宽</source>
        <translation>, window width </translation>
    </message>
    <message>
        <source>，放得下</source>
        <translation>, fits</translation>
    </message>
    <message>
        <source>，很紧，绕制困难</source>
        <translation>, tight: hard to wind</translation>
    </message>
    <message>
        <source>，放不下</source>
        <translation>, does not fit</translation>
    </message>
    <message>
        <source>磁芯缺少尺寸，无法得出表面积</source>
        <translation>The core has no dimensions: no surface area</translation>
    </message>
    <message>
        <source>按表面积估算温升</source>
        <translation>Temperature rise by surface area</translation>
    </message>
    <message>
        <source>，未给出允许温升</source>
        <translation>, no allowed temperature rise given</translation>
    </message>
    <message>
        <source>，允许</source>
        <translation>, allowed </translation>
    </message>
    <message>
        <source>，环境</source>
        <translation>, ambient </translation>
    </message>
    <message>
        <source> ℃时表面约</source>
        <translation> ℃, its surface at about </translation>
    </message>
    <message>
        <source>未算出气隙</source>
        <translation>Air gap not computed</translation>
    </message>
    <message>
        <source>环形磁芯不开气隙</source>
        <translation>Toroids are not gapped</translation>
    </message>
    <message>
        <source>环形磁芯不能开气隙，应换用可开气隙的磁芯或粉芯</source>
        <translation>A toroid cannot be gapped: use a gapped core or a powder core</translation>
    </message>
    <message>
        <source>环形磁芯，不需要气隙</source>
        <translation>Toroid: no air gap needed</translation>
    </message>
    <message>
        <source>气隙</source>
        <translation>Air gap</translation>
    </message>
    <message>
        <source>，可以加工</source>
        <translation>, can be made</translation>
    </message>
    <message>
        <source>太小，难以保证公差，电感量会偏差</source>
        <translation> is too small to hold a tolerance; the inductance will deviate</translation>
    </message>
    <message>
        <source>超过中柱宽度的四分之一，边缘磁通会加热附近的绕组</source>
        <translation> is more than a quarter of the centre-leg width: fringing flux heats the nearby windings</translation>
    </message>
    <message>
        <source>校核：</source>
        <translation>Check: </translation>
    </message>
    <message>
        <source>尚无可校核的数值</source>
        <translation>No values to check yet</translation>
    </message>
    <message>
        <source>全部合格</source>
        <translation>all passed</translation>
    </message>
    <message>
        <source> 项不合格</source>
        <translation> failed</translation>
    </message>
    <message>
        <source> 项警告</source>
        <translation> warnings</translation>
    </message>
    <message>
        <source>；磁芯参数为估算值（±10%）</source>
        <translation>; core figures are estimates (±10%)</translation>
    </message>
    <message>
        <source>该磁材没有损耗数据</source>
        <translation>The material has no loss data</translation>
    </message>
    <message>
        <source>未选择磁材</source>
        <translation>No material chosen</translation>
    </message>
    <message>
        <source>该磁材缺少初始磁导率，无法得出损耗指数β</source>
        <translation>The material has no initial permeability: no loss exponent β</translation>
    </message>
    <message>
        <source>该磁材的初始磁导率不在损耗分类内，无法得出损耗指数β</source>
        <translation>The material&apos;s initial permeability is in no loss class: no loss exponent β</translation>
    </message>
    <message>
        <source>该磁材的损耗数据无法用于此频率</source>
        <translation>The material&apos;s loss data do not apply at this frequency</translation>
    </message>
    <message>
        <source>合格</source>
        <translation>Pass</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>不合格</source>
        <translation>Fail</translation>
    </message>
    <message>
        <source>参考</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>，</source>
        <translation>, </translation>
    </message>
</context>
<context>
    <name>kelvane::cli</name>
    <message>
        <source>经典方法</source>
        <translation>Classic method</translation>
    </message>
</context>
<context>
    <name>kelvane::construction</name>
    <message>
        <source>未选择电路形式</source>
        <translation>No circuit chosen</translation>
    </message>
    <message>
        <source>没有输出</source>
        <translation>No outputs</translation>
    </message>
    <message>
        <source>%1的匝数或线径未算出（请点击「变压器设计结果」）</source>
        <translation>Turns or wire size of %1 not computed (click &quot;Design results&quot;)</translation>
    </message>
    <message>
        <source>未选择磁芯</source>
        <translation>No core chosen</translation>
    </message>
    <message>
        <source>起始</source>
        <translation>start</translation>
    </message>
    <message>
        <source>抽头</source>
        <translation>tap</translation>
    </message>
    <message>
        <source>跨接</source>
        <translation>jumper</translation>
    </message>
    <message>
        <source>结束</source>
        <translation>finish</translation>
    </message>
    <message>
        <source>引脚%1用于多处：%2</source>
        <translation>Pin %1 is used more than once: %2</translation>
    </message>
    <message>
        <source>未选择安全标准，无耐压要求</source>
        <translation>No safety standard chosen: no hi-pot requirement</translation>
    </message>
    <message>
        <source>磁芯</source>
        <translation>Core</translation>
    </message>
    <message>
        <source>初级—次级</source>
        <translation>Primary—secondary</translation>
    </message>
    <message>
        <source>次级—次级</source>
        <translation>Secondary—secondary</translation>
    </message>
    <message>
        <source>初级—初级</source>
        <translation>Primary—primary</translation>
    </message>
    <message>
        <source>初级—磁芯</source>
        <translation>Primary—core</translation>
    </message>
    <message>
        <source>次级—磁芯</source>
        <translation>Secondary—core</translation>
    </message>
    <message>
        <source>（前半）</source>
        <translation> (first half)</translation>
    </message>
    <message>
        <source>（后半）</source>
        <translation> (second half)</translation>
    </message>
    <message>
        <source>缺少匝长，无法估算漏感</source>
        <translation>No mean turn length: no leakage estimate</translation>
    </message>
    <message>
        <source>数值超出计算范围</source>
        <translation>Value out of range</translation>
    </message>
    <message>
        <source>%1线径%2 mm超过%3 kHz集肤深度的两倍（2δ = %4 mm），改用%5股%6 mm并绕</source>
        <translation>%1: wire %2 mm exceeds twice the skin depth at %3 kHz (2δ = %4 mm); wound as %5 strands of %6 mm</translation>
    </message>
    <message>
        <source>%1用三层绝缘线（外径按导体直径加%2 mm），不留挡墙</source>
        <translation>%1 is triple-insulated wire (outer diameter = conductor + %2 mm), no margin tape</translation>
    </message>
    <message>
        <source>磁芯缺少尺寸，无法得出窗口</source>
        <translation>The core has no dimensions: no window</translation>
    </message>
    <message>
        <source>%1线径%2 mm在窗口高度%3 mm减去挡墙%4 mm内一匝也绕不下</source>
        <translation>%1: wire %2 mm does not hold a single turn in the window height %3 mm less margins %4 mm</translation>
    </message>
    <message>
        <source>变压器规格书（绕线厂）：以下各节由设计与设计校核导出。</source>
        <translation>Transformer construction sheet (winding shop): the following sections come from the design and the design check.</translation>
    </message>
    <message>
        <source>绕组</source>
        <translation>Winding</translation>
    </message>
    <message>
        <source>类型</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>起始脚</source>
        <translation>Start pin</translation>
    </message>
    <message>
        <source>中间脚</source>
        <translation>Tap pin</translation>
    </message>
    <message>
        <source>结束脚</source>
        <translation>Finish pin</translation>
    </message>
    <message>
        <source>匝数(T)</source>
        <translation>Turns (T)</translation>
    </message>
    <message>
        <source>导线</source>
        <translation>Wire</translation>
    </message>
    <message>
        <source>引脚</source>
        <translation>Pins</translation>
    </message>
    <message>
        <source>黑点为各绕组的起始端，所有绕组按同一方向绕制。</source>
        <translation>The dot marks each winding&apos;s start; all windings are wound in the same direction. </translation>
    </message>
    <message>
        <source>初级夹绕，前后两半在中间脚相接。</source>
        <translation>Sandwiched primary: its two halves meet at the middle pin. </translation>
    </message>
    <message>
        <source>中心抽头绕组两半连续绕制，抽头接中间脚。</source>
        <translation>Both halves of a centre-tapped winding are wound in one go, the tap on the middle pin. </translation>
    </message>
    <message>
        <source>%1层（外包）</source>
        <translation>%1 layers (outer wrap)</translation>
    </message>
    <message>
        <source>%1层（加强绝缘）</source>
        <translation>%1 layers (reinforced insulation)</translation>
    </message>
    <message>
        <source>%1层</source>
        <translation>%1 layers</translation>
    </message>
    <message>
        <source>前半</source>
        <translation> (first half)</translation>
    </message>
    <message>
        <source>后半</source>
        <translation> (second half)</translation>
    </message>
    <message>
        <source>绕制方式</source>
        <translation>Winding method</translation>
    </message>
    <message>
        <source>夹绕：</source>
        <translation>Sandwiched: </translation>
    </message>
    <message>
        <source>顺序绕：</source>
        <translation>In order: </translation>
    </message>
    <message>
        <source>绕线窗口（长×宽）</source>
        <translation>Winding window (length × width)</translation>
    </message>
    <message>
        <source>爬电距离</source>
        <translation>Creepage distance</translation>
    </message>
    <message>
        <source>挡墙宽度（每侧）</source>
        <translation>Margin width (each side)</translation>
    </message>
    <message>
        <source>胶带</source>
        <translation>Tape</translation>
    </message>
    <message>
        <source>%1 mm聚酯胶带，宽同绕线窗口（含胶每层按%2 mm计）</source>
        <translation>%1 mm polyester tape, as wide as the winding window (%2 mm a layer with adhesive)</translation>
    </message>
    <message>
        <source>序</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>起→止脚</source>
        <translation>Start→finish pins</translation>
    </message>
    <message>
        <source>匝数</source>
        <translation>Turns</translation>
    </message>
    <message>
        <source>每层匝数</source>
        <translation>Turns per layer</translation>
    </message>
    <message>
        <source>层数</source>
        <translation>Layers</translation>
    </message>
    <message>
        <source>挡墙(每侧)</source>
        <translation>Margin (each side)</translation>
    </message>
    <message>
        <source>之后胶带</source>
        <translation>Tape after</translation>
    </message>
    <message>
        <source>无</source>
        <translation>none</translation>
    </message>
    <message>
        <source>绕线顺序（由里向外）</source>
        <translation>Winding order (inside out)</translation>
    </message>
    <message>
        <source>绕组总厚度</source>
        <translation>Total winding build</translation>
    </message>
    <message>
        <source>窗口宽度</source>
        <translation>Window width</translation>
    </message>
    <message>
        <source>判定</source>
        <translation>Verdict</translation>
    </message>
    <message>
        <source>放得下，占窗口宽度的%1%</source>
        <translation>fits: uses %1% of the window width</translation>
    </message>
    <message>
        <source>放不下，需窗口宽度的%1%</source>
        <translation>does not fit: needs %1% of the window width</translation>
    </message>
    <message>
        <source>缺少初级电感量或匝数，无法给出AL</source>
        <translation>No primary inductance or turns: no AL</translation>
    </message>
    <message>
        <source>不开气隙，配合面研磨平整</source>
        <translation>No gap; mating faces ground flat</translation>
    </message>
    <message>
        <source>电感系数AL</source>
        <translation>Inductance factor AL</translation>
    </message>
    <message>
        <source>计算</source>
        <translation>Calculate</translation>
    </message>
    <message>
        <source>AL范围</source>
        <translation>AL range</translation>
    </message>
    <message>
        <source>中柱气隙（参考）</source>
        <translation>Centre-leg air gap (reference)</translation>
    </message>
    <message>
        <source>以AL验收磁芯；气隙长度仅作中柱研磨的参考。</source>
        <translation>Accept cores by AL; the gap length is only a reference for grinding the centre leg.</translation>
    </message>
    <message>
        <source>测试项目</source>
        <translation>Test</translation>
    </message>
    <message>
        <source>测试脚</source>
        <translation>Test pins</translation>
    </message>
    <message>
        <source>条件</source>
        <translation>Conditions</translation>
    </message>
    <message>
        <source>要求</source>
        <translation>Requirement</translation>
    </message>
    <message>
        <source>%1 kHz，%2 V</source>
        <translation>%1 kHz, %2 V</translation>
    </message>
    <message>
        <source>初级电感量Lp</source>
        <translation>Primary inductance Lp</translation>
    </message>
    <message>
        <source>，其余绕组开路</source>
        <translation>, other windings open</translation>
    </message>
    <message>
        <source>漏感Llk</source>
        <translation>Leakage inductance Llk</translation>
    </message>
    <message>
        <source>，</source>
        <translation>, </translation>
    </message>
    <message>
        <source>短路</source>
        <translation> shorted</translation>
    </message>
    <message>
        <source>耐压Hi-Pot</source>
        <translation>Hi-pot</translation>
    </message>
    <message>
        <source>：</source>
        <translation>: </translation>
    </message>
    <message>
        <source>直流电阻DCR</source>
        <translation>DC resistance DCR</translation>
    </message>
    <message>
        <source>，20 ℃</source>
        <translation>, 20 ℃</translation>
    </message>
    <message>
        <source>≤ %1 Ω（设计%2 Ω +%3%）</source>
        <translation>≤ %1 Ω (design %2 Ω +%3%)</translation>
    </message>
    <message>
        <source>电气测试表</source>
        <translation>Electrical tests</translation>
    </message>
    <message>
        <source>漏感按一维估算：磁场沿绕组层长均匀，Llk = μ0 × N² × MLT ÷ %1 mm × Σ∫f²dx ≈ %2 µH（N为所测初级匝数，层长取各步挡墙间的平均长度，f为各层间安匝）；与实测通常相差±%3%以内，上限取估算值的%4倍，向上取两位有效数字。</source>
        <translation>Leakage inductance by a one-dimensional estimate: the field uniform along the layers, Llk = μ0 × N² × MLT ÷ %1 mm × Σ∫f²dx ≈ %2 µH (N the primary turns measured, the layer length the mean length between each step&apos;s margins, f the ampere-turns between layers); commonly within ±%3% of a measurement, the limit %4 times the estimate, rounded up to two significant digits.</translation>
    </message>
    <message>
        <source>漏感：</source>
        <translation>Leakage inductance:</translation>
    </message>
    <message>
        <source>耐压：</source>
        <translation>Hi-pot:</translation>
    </message>
    <message>
        <source>%1 mH ±%2%（%3～%4 mH）</source>
        <translation>%1 mH ±%2% (%3 to %4 mH)</translation>
    </message>
    <message>
        <source>设计校核有%1项不合格：%2。修改设计之前，本规格书不得用于生产。</source>
        <translation>Failed check items (%1): %2. Do not use this construction sheet for production until the design is corrected.</translation>
    </message>
    <message>
        <source>绕制说明、截面、气隙和测试无法给出：</source>
        <translation>Winding instructions, cross-section, air gap and tests cannot be given: </translation>
    </message>
    <message>
        <source>8 电气原理图与引脚</source>
        <translation>8 Schematic and pins</translation>
    </message>
    <message>
        <source>9 绕制说明</source>
        <translation>9 Winding instructions</translation>
    </message>
    <message>
        <source>10 绕组截面（按比例）</source>
        <translation>10 Winding cross-section (to scale)</translation>
    </message>
    <message>
        <source>11 气隙</source>
        <translation>11 Air gap</translation>
    </message>
    <message>
        <source>12 电气测试</source>
        <translation>12 Electrical tests</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
</context>
<context>
    <name>kelvane::gui::AdviceChart</name>
    <message>
        <source>磁芯体积 Ve (cm³)</source>
        <translation>Core volume Ve (cm³)</translation>
    </message>
    <message>
        <source>总损耗 (W)</source>
        <translation>Total loss (W)</translation>
    </message>
    <message>
        <source>没有可显示的组合</source>
        <translation>No pairs to show</translation>
    </message>
    <message>
        <source>%1 %2
Ve %3 cm³，总损耗 %4 W
校核 %5%6</source>
        <translation>%1 %2
Ve %3 cm³, total loss %4 W
Check %5%6</translation>
    </message>
</context>
<context>
    <name>kelvane::gui::CheckPage</name>
    <message>
        <source>电感测试频率(kHz)</source>
        <translation>Inductance test frequency (kHz)</translation>
    </message>
    <message>
        <source>测试电压(V)</source>
        <translation>Test voltage (V)</translation>
    </message>
    <message>
        <source>引脚（规格书）</source>
        <translation>Pins (construction sheet)</translation>
    </message>
    <message>
        <source>绕组</source>
        <translation>Winding</translation>
    </message>
    <message>
        <source>绕组类型</source>
        <translation>Winding kind</translation>
    </message>
    <message>
        <source>起始脚</source>
        <translation>Start pin</translation>
    </message>
    <message>
        <source>中间脚</source>
        <translation>Tap pin</translation>
    </message>
    <message>
        <source>结束脚</source>
        <translation>Finish pin</translation>
    </message>
    <message>
        <source>导线</source>
        <translation>Wire</translation>
    </message>
    <message>
        <source>项目</source>
        <translation>Item</translation>
    </message>
    <message>
        <source>校核值</source>
        <translation>Check value</translation>
    </message>
    <message>
        <source>经典方法</source>
        <translation>Classic method</translation>
    </message>
    <message>
        <source>限值</source>
        <translation>Limit</translation>
    </message>
    <message>
        <source>判定</source>
        <translation>Verdict</translation>
    </message>
    <message>
        <source>说明</source>
        <translation>Remark</translation>
    </message>
</context>
<context>
    <name>kelvane::gui::FrmAdvisor</name>
    <message>
        <source>全部</source>
        <translation>All</translation>
    </message>
    <message>
        <source>只看可行</source>
        <translation>Feasible only</translation>
    </message>
    <message>
        <source>只看功率材质</source>
        <translation>Power materials only</translation>
    </message>
    <message>
        <source>导出推荐报告…</source>
        <translation>Export advice report…</translation>
    </message>
    <message>
        <source>磁芯推荐</source>
        <translation>Core advice</translation>
    </message>
    <message>
        <source>不限</source>
        <translation>Any</translation>
    </message>
    <message>
        <source>-推荐.pdf</source>
        <translation>-advice.pdf</translation>
    </message>
    <message>
        <source>导出推荐报告</source>
        <translation>Export advice report</translation>
    </message>
    <message>
        <source>导出失败：</source>
        <translation>Export failed: </translation>
    </message>
    <message>
        <source>磁芯类型</source>
        <translation>Core type</translation>
    </message>
    <message>
        <source>厂家</source>
        <translation>Maker</translation>
    </message>
    <message>
        <source>最高温升</source>
        <translation>Max. temperature rise</translation>
    </message>
    <message>
        <source>排序中…</source>
        <translation>Sorting…</translation>
    </message>
    <message>
        <source>计算中…</source>
        <translation>Computing…</translation>
    </message>
    <message>
        <source>%1 个组合，其中 %2 个可行</source>
        <translation>%1 pairs, %2 of them feasible</translation>
    </message>
    <message>
        <source>无法绘制推荐图表</source>
        <translation>Cannot draw the advice chart</translation>
    </message>
</context>
<context>
    <name>kelvane::gui::FrmFanji</name>
    <message>
        <source>Kelvane™ 磁性元件设计  ·  </source>
        <translation>Kelvane™ magnetics design  ·  </translation>
    </message>
    <message>
        <source>设计校核</source>
        <translation>Design check</translation>
    </message>
    <message>
        <source>绕组WNG</source>
        <translation>Winding WNG</translation>
    </message>
    <message>
        <source>匝数(T)</source>
        <translation>Turns (T)</translation>
    </message>
    <message>
        <source>线径φ(mm)</source>
        <translation>Wire φ (mm)</translation>
    </message>
    <message>
        <source>压降Δu(V)</source>
        <translation>Drop Δu (V)</translation>
    </message>
    <message>
        <source>损耗Pcu(W)</source>
        <translation>Loss Pcu (W)</translation>
    </message>
    <message>
        <source>线重W(g)</source>
        <translation>Wire mass W (g)</translation>
    </message>
    <message>
        <source>初级</source>
        <translation>Primary</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>打开</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>导出设计报告</source>
        <translation>Export design report</translation>
    </message>
    <message>
        <source>导出失败：</source>
        <translation>Export failed: </translation>
    </message>
    <message>
        <source>变压器模型与试验电路(*.cir)</source>
        <translation>Transformer model with test circuit (*.cir)</translation>
    </message>
    <message>
        <source>仅变压器子电路(*.lib)</source>
        <translation>Transformer subcircuit only (*.lib)</translation>
    </message>
    <message>
        <source>导出SPICE模型</source>
        <translation>Export SPICE model</translation>
    </message>
    <message>
        <source>无法载入图片：%1</source>
        <translation>Cannot load the picture: %1</translation>
    </message>
    <message>
        <source>文件</source>
        <translation>File</translation>
    </message>
    <message>
        <source>打开&amp;O</source>
        <translation>&amp;Open</translation>
    </message>
    <message>
        <source>保存&amp;S</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>列印文件&amp;P</source>
        <translation>&amp;Print</translation>
    </message>
    <message>
        <source>导出设计报告…</source>
        <translation>Export design report…</translation>
    </message>
    <message>
        <source>导出SPICE模型…</source>
        <translation>Export SPICE model…</translation>
    </message>
    <message>
        <source>最近打开的文件</source>
        <translation>Recent files</translation>
    </message>
    <message>
        <source>退出&amp;X</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>工具</source>
        <translation>Tools</translation>
    </message>
    <message>
        <source>帮助</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>关于</source>
        <translation>About</translation>
    </message>
    <message>
        <source>磁芯推荐</source>
        <translation>Core advice</translation>
    </message>
    <message>
        <source>设计已修改，是否保存？</source>
        <translation>The design has changed. Save it?</translation>
    </message>
    <message>
        <source>保存(&amp;Y)</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>不保存(&amp;N)</source>
        <translation>&amp;Don&apos;t save</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>所需面积乘积AP：%1</source>
        <translation>Area product needed AP: %1</translation>
    </message>
</context>
<context>
    <name>kelvane::gui::FrmWireTools</name>
    <message>
        <source>现在是：00:00:00 PM</source>
        <translation>Now: 00:00:00 PM</translation>
    </message>
    <message>
        <source>打印</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>关于</source>
        <translation>About</translation>
    </message>
</context>
<context>
    <name>kelvane::gui::MessageBoxPrompter</name>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>是(&amp;Y)</source>
        <translation>&amp;Yes</translation>
    </message>
    <message>
        <source>否(&amp;N)</source>
        <translation>&amp;No</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>kelvane::gui::OutputVoltageView</name>
    <message>
        <source>输出电压：仿真（上）与校核（下），色带为校核的合格与警告范围</source>
        <translation>Output voltages: simulated (above) and checked (below); the bands are the check&apos;s pass and warning ranges</translation>
    </message>
    <message>
        <source>输出00  </source>
        <translation>Output 00  </translation>
    </message>
    <message>
        <source> 目标 000 V</source>
        <translation> Target 000 V</translation>
    </message>
    <message>
        <source>目标 </source>
        <translation>Target </translation>
    </message>
    <message>
        <source>仿真 </source>
        <translation>Simulated </translation>
    </message>
    <message>
        <source>校核 </source>
        <translation>Checked </translation>
    </message>
</context>
<context>
    <name>kelvane::gui::SimulationPanel</name>
    <message>
        <source>仿真</source>
        <translation>Simulate</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>指定ngspice程序…</source>
        <translation>Choose the ngspice program…</translation>
    </message>
    <message>
        <source>指定ngspice程序</source>
        <translation>Choose the ngspice program</translation>
    </message>
    <message>
        <source>使用PATH中的ngspice</source>
        <translation>Use ngspice from PATH</translation>
    </message>
    <message>
        <source>用ngspice在最低直流输入、校核的占空比下运行试验电路（%1）</source>
        <translation>Runs the test circuit in ngspice at the lowest DC input and the checked duty cycle (%1)</translation>
    </message>
    <message>
        <source>仿真：请先安装ngspice（apt-get install ngspice）</source>
        <translation>Simulate: install ngspice first (apt-get install ngspice)</translation>
    </message>
    <message>
        <source>（设置为%1）</source>
        <translation> (set to %1)</translation>
    </message>
    <message>
        <source>仿真中：ngspice正在运行试验电路…</source>
        <translation>Simulating: ngspice is running the test circuit…</translation>
    </message>
    <message>
        <source>仿真已取消</source>
        <translation>Simulation cancelled</translation>
    </message>
    <message>
        <source>设计已更改：下面是更改前的设计的仿真结果，请重新仿真</source>
        <translation>The design has changed: the simulation below is of the earlier design; simulate again</translation>
    </message>
</context>
<context>
    <name>kelvane::messages</name>
    <message>
        <source>无法写入%1：%2</source>
        <translation>Cannot write %1: %2</translation>
    </message>
    <message>
        <source>Kelvane开关变压器设计程序</source>
        <translation>Kelvane switching transformer design</translation>
    </message>
    <message>
        <source>关于 </source>
        <translation>About </translation>
    </message>
    <message>
        <source>版本 </source>
        <translation>Version </translation>
    </message>
    <message>
        <source>用于开关电源高频变压器（反激储能、正激及RCC）的设计：由输出与输入条件推算原边电流与电感，按面积乘积选择磁芯，计算磁芯损耗、各绕组匝数、线径、铜损、占积率、气隙及温升。另附导线换算程序，用于漆包线、Litz线、铜箔及趋表效应的换算。</source>
        <translation>Designs the high-frequency transformer of a switching power supply (flyback, forward and RCC): derives the primary current and inductance from the outputs and the input, selects the core by area product, and computes the core loss, turns, wire size, copper loss, fill factor, air gap and temperature rise of every winding. A wire calculator converts enamelled wire, litz wire, foil and skin effect.</translation>
    </message>
    <message>
        <source>注意：本程序的计算结果仅供设计参考，所用公式均为工程近似。变压器的性能与安全须经样品测试与相关安规标准验证。</source>
        <translation>Note: the results of this program are a design reference only; its formulas are engineering approximations. The transformer&apos;s performance and safety must be verified by testing samples against the relevant safety standards.</translation>
    </message>
    <message>
        <source>更新与技术支持，请访问我们的网站：</source>
        <translation>For updates and support, visit our web site:</translation>
    </message>
    <message>
        <source>此时系统信息不可用</source>
        <translation>System information is not available now</translation>
    </message>
    <message>
        <source>磁芯推荐需要完整的设计要求：输出、输入电压Udc、频率F和占空比D</source>
        <translation>The core advice needs complete requirements: outputs, input voltage Udc, frequency F and duty cycle D</translation>
    </message>
    <message>
        <source>磁芯</source>
        <translation>Core</translation>
    </message>
    <message>
        <source>材质</source>
        <translation>Material</translation>
    </message>
    <message>
        <source>厂家</source>
        <translation>Maker</translation>
    </message>
    <message>
        <source>磁芯损耗(W)</source>
        <translation>Core loss (W)</translation>
    </message>
    <message>
        <source>铜损(W)</source>
        <translation>Copper loss (W)</translation>
    </message>
    <message>
        <source>总损耗(W)</source>
        <translation>Total loss (W)</translation>
    </message>
    <message>
        <source>温升(℃)</source>
        <translation>Rise (℃)</translation>
    </message>
    <message>
        <source>占积率</source>
        <translation>Fill factor</translation>
    </message>
    <message>
        <source>气隙(mm)</source>
        <translation>Air gap (mm)</translation>
    </message>
    <message>
        <source>校核</source>
        <translation>Check</translation>
    </message>
    <message>
        <source>校核原因</source>
        <translation>Check reason</translation>
    </message>
    <message>
        <source>质量(g)</source>
        <translation>Mass (g)</translation>
    </message>
    <message>
        <source>外形(mm)</source>
        <translation>Outline (mm)</translation>
    </message>
    <message>
        <source>铜线</source>
        <translation>Copper wire</translation>
    </message>
    <message>
        <source>铝线</source>
        <translation>Aluminium wire</translation>
    </message>
    <message>
        <source>铜包铝线 10A 10H</source>
        <translation>Copper-clad aluminium 10A 10H</translation>
    </message>
    <message>
        <source>铜包铝线 15A 15H</source>
        <translation>Copper-clad aluminium 15A 15H</translation>
    </message>
    <message>
        <source>磁芯规格</source>
        <translation>Core</translation>
    </message>
    <message>
        <source>数据来源</source>
        <translation>Data source</translation>
    </message>
    <message>
        <source>磁芯中柱面积</source>
        <translation>Core centre-leg area</translation>
    </message>
    <message>
        <source>体积</source>
        <translation>Volume</translation>
    </message>
    <message>
        <source>窗口面积</source>
        <translation>Window area</translation>
    </message>
    <message>
        <source>重量</source>
        <translation>Mass</translation>
    </message>
    <message>
        <source>生产厂家</source>
        <translation>Maker</translation>
    </message>
    <message>
        <source>数据手册</source>
        <translation>Data sheet</translation>
    </message>
    <message>
        <source>按尺寸计算（已验证 ±3%）</source>
        <translation>Computed from dimensions (verified ±3%)</translation>
    </message>
    <message>
        <source>按尺寸估算（±10%）</source>
        <translation>Computed from dimensions (±10%)</translation>
    </message>
    <message>
        <source>当前磁芯功率为：</source>
        <translation>Power of this core: </translation>
    </message>
    <message>
        <source>确定删除记录吗?</source>
        <translation>Delete this record?</translation>
    </message>
    <message>
        <source>删除记录</source>
        <translation>Delete record</translation>
    </message>
    <message>
        <source>删除失败：</source>
        <translation>Delete failed: </translation>
    </message>
    <message>
        <source>请输入胶带型号</source>
        <translation>Enter the tape type</translation>
    </message>
    <message>
        <source>按型号搜索</source>
        <translation>Search by type</translation>
    </message>
    <message>
        <source>没有相应的型号</source>
        <translation>No such type</translation>
    </message>
    <message>
        <source>信息</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>保存失败：“%1”不是数字（%2）</source>
        <translation>Save failed: &quot;%1&quot; is not a number (%2)</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>保存失败：</source>
        <translation>Save failed: </translation>
    </message>
    <message>
        <source>最高交流输入电压(V)</source>
        <translation>Highest AC input voltage (V)</translation>
    </message>
    <message>
        <source>开关管额定电压(V)</source>
        <translation>Switch rating (V)</translation>
    </message>
    <message>
        <source>输入电容(µF)</source>
        <translation>Bulk capacitor (µF)</translation>
    </message>
    <message>
        <source>按输入功率</source>
        <translation>by input power</translation>
    </message>
    <message>
        <source>电网频率(Hz)</source>
        <translation>Line frequency (Hz)</translation>
    </message>
    <message>
        <source>输出%1实际电压</source>
        <translation>Output %1 actual voltage</translation>
    </message>
    <message>
        <source>峰值磁通密度Bpk</source>
        <translation>Peak flux density Bpk</translation>
    </message>
    <message>
        <source>变压器损耗占比</source>
        <translation>Transformer loss share</translation>
    </message>
    <message>
        <source>绕组厚度</source>
        <translation>Winding build</translation>
    </message>
    <message>
        <source>温升(表面积法)</source>
        <translation>Temperature rise (surface area)</translation>
    </message>
    <message>
        <source>气隙</source>
        <translation>Air gap</translation>
    </message>
    <message>
        <source>初级</source>
        <translation>Primary</translation>
    </message>
    <message>
        <source>次级</source>
        <translation>Secondary</translation>
    </message>
    <message>
        <source>初级侧辅助</source>
        <translation>Primary-side auxiliary</translation>
    </message>
    <message>
        <source>漆包线</source>
        <translation>Enamelled wire</translation>
    </message>
    <message>
        <source>三层绝缘线</source>
        <translation>Triple-insulated wire</translation>
    </message>
    <message>
        <source>输出电压V</source>
        <translation>Output voltage V</translation>
    </message>
    <message>
        <source>工作电流A</source>
        <translation>Current A</translation>
    </message>
    <message>
        <source>线路压降V</source>
        <translation>Line drop V</translation>
    </message>
    <message>
        <source>功率W</source>
        <translation>Power W</translation>
    </message>
    <message>
        <source>输出电压、电流不能为空</source>
        <translation>Output voltage and current must not be empty</translation>
    </message>
    <message>
        <source>半桥</source>
        <translation>Half bridge</translation>
    </message>
    <message>
        <source>推挽全、全桥</source>
        <translation>Push-pull / full bridge</translation>
    </message>
    <message>
        <source>文件格式错误（第%1行）</source>
        <translation>Bad file format (line %1)</translation>
    </message>
    <message>
        <source>“%1”中有GBK无法保存的字符</source>
        <translation>&quot;%1&quot; holds characters GBK cannot store</translation>
    </message>
    <message>
        <source>GBK编码不可用</source>
        <translation>GBK encoding is not available</translation>
    </message>
    <message>
        <source>未命名</source>
        <translation>Untitled</translation>
    </message>
    <message>
        <source>磁材数据库</source>
        <translation>Material database</translation>
    </message>
    <message>
        <source>无法打开磁芯和磁材数据库文件：
%1
（%2）

请用 sh tools/kelvane.sh run 构建程序，它会在程序旁生成这个文件；或者用 --catalogue 文件 启动程序，打开另一个数据库文件。
没有数据库也可以继续设计，但磁材和磁芯列表是空的。</source>
        <translation>Cannot open the core and material database:
%1
(%2)

Build the program with sh tools/kelvane.sh run, which puts this file beside it, or start the program with --catalogue FILE to open another database.
Without a database you can still design, but the material and core lists are empty.</translation>
    </message>
    <message>
        <source>打印失败：</source>
        <translation>Printing failed: </translation>
    </message>
    <message>
        <source>打印</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>保存操作成功！</source>
        <translation>Saved.</translation>
    </message>
    <message>
        <source>打开</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>打开失败：</source>
        <translation>Open failed: </translation>
    </message>
    <message>
        <source>磁芯推荐</source>
        <translation>Core advice</translation>
    </message>
    <message>
        <source>导出SPICE模型</source>
        <translation>Export SPICE model</translation>
    </message>
    <message>
        <source>（校核%1）</source>
        <translation> (checked %1)</translation>
    </message>
    <message>
        <source>输出%1</source>
        <translation>Output %1</translation>
    </message>
    <message>
        <source>仿真结果不完整</source>
        <translation>The simulation is incomplete</translation>
    </message>
    <message>
        <source>仿真：%1峰值电流%2，有效值%3</source>
        <translation>Simulated: %1 peak current %2, rms %3</translation>
    </message>
    <message>
        <source>每半个初级</source>
        <translation>each half of the primary</translation>
    </message>
    <message>
        <source>（设置为%1）</source>
        <translation> (set to %1)</translation>
    </message>
    <message>
        <source>无法写入仿真文件：</source>
        <translation>Cannot write the simulation file: </translation>
    </message>
    <message>
        <source>无法运行ngspice（%1）：%2</source>
        <translation>Cannot run ngspice (%1): %2</translation>
    </message>
    <message>
        <source>ngspice运行超过一分钟，已停止</source>
        <translation>ngspice ran for more than a minute and was stopped</translation>
    </message>
    <message>
        <source>ngspice出错（退出码%1）</source>
        <translation>ngspice failed (exit code %1)</translation>
    </message>
    <message>
        <source>无法导出SPICE模型：</source>
        <translation>Cannot export the SPICE model: </translation>
    </message>
    <message>
        <source>次级%1</source>
        <translation>Secondary %1</translation>
    </message>
    <message>
        <source>未选择电路形式</source>
        <translation>No circuit chosen</translation>
    </message>
    <message>
        <source>没有输出</source>
        <translation>No outputs</translation>
    </message>
    <message>
        <source>缺少%1匝数</source>
        <translation>Turns of %1 missing</translation>
    </message>
    <message>
        <source>%1匝数为0</source>
        <translation>%1 has 0 turns</translation>
    </message>
    <message>
        <source>初级电感Lp为0</source>
        <translation>Primary inductance Lp is 0</translation>
    </message>
    <message>
        <source>耦合系数须在0与1之间</source>
        <translation>The coupling factor must be between 0 and 1</translation>
    </message>
    <message>
        <source>以此匝比每个开关的占空比需%1，两个开关的导通将重叠（须小于0.5）</source>
        <translation>With these turns each switch needs a duty cycle of %1: the two switches would overlap (must be below 0.5)</translation>
    </message>
    <message>
        <source>占空比%1不在0与1之间</source>
        <translation>Duty cycle %1 is not between 0 and 1</translation>
    </message>
    <message>
        <source>频率F为0</source>
        <translation>Frequency F is 0</translation>
    </message>
    <message>
        <source>输出%1电压不大于0</source>
        <translation>Output %1 voltage is not above 0</translation>
    </message>
    <message>
        <source>输出%1电流为0</source>
        <translation>Output %1 current is 0</translation>
    </message>
    <message>
        <source>现在是：</source>
        <translation>Now: </translation>
    </message>
    <message>
        <source>祝您工作更轻松！谢谢您的使用！再见！</source>
        <translation>Have an easier day at work! Thank you for using it! Goodbye!</translation>
    </message>
    <message>
        <source>导线换算程序</source>
        <translation>Wire calculator</translation>
    </message>
    <message>
        <source>打印机不可用</source>
        <translation>No printer available</translation>
    </message>
    <message>
        <source>无法生成PDF</source>
        <translation>Cannot create the PDF</translation>
    </message>
</context>
<context>
    <name>kelvane::render</name>
    <message>
        <source>初级侧</source>
        <translation>Primary side</translation>
    </message>
    <message>
        <source>次级侧</source>
        <translation>Secondary side</translation>
    </message>
    <message>
        <source>中柱</source>
        <translation>Centre leg</translation>
    </message>
    <message>
        <source>外柱（绕组超出窗口）</source>
        <translation>Outer leg (windings exceed the window)</translation>
    </message>
    <message>
        <source>外柱</source>
        <translation>Outer leg</translation>
    </message>
    <message>
        <source>窗口长 %1 mm × 宽 %2 mm，绕组总厚 %3 mm；比例 %4 : 1</source>
        <translation>Window %1 mm long × %2 mm wide, winding build %3 mm; scale %4 : 1</translation>
    </message>
    <message>
        <source>初级</source>
        <translation>Primary</translation>
    </message>
    <message>
        <source>次级</source>
        <translation>Secondary</translation>
    </message>
    <message>
        <source>初级侧辅助</source>
        <translation>Primary-side auxiliary</translation>
    </message>
    <message>
        <source>胶带</source>
        <translation>Tape</translation>
    </message>
    <message>
        <source>挡墙</source>
        <translation>Margin tape</translation>
    </message>
    <message>
        <source>设计文件：%1    日期：%2</source>
        <translation>Design file: %1    Date: %2</translation>
    </message>
    <message>
        <source>第 %1 页 / 共 %2 页</source>
        <translation>Page %1 of %2</translation>
    </message>
    <message>
        <source>（磁芯图片无法读取：%1）</source>
        <translation>(core picture cannot be read: %1)</translation>
    </message>
    <message>
        <source>（图表无法读取：%1）</source>
        <translation>(chart cannot be read: %1)</translation>
    </message>
    <message>
        <source>初级电流波形（两个开关周期）</source>
        <translation>Primary current waveform (two switching periods)</translation>
    </message>
    <message>
        <source>无法写入%1：%2</source>
        <translation>Cannot write %1: %2</translation>
    </message>
    <message>
        <source>无法生成PDF：%1</source>
        <translation>Cannot create the PDF: %1</translation>
    </message>
    <message>
        <source>无电流波形：</source>
        <translation>No current waveform: </translation>
    </message>
    <message>
        <source>设计</source>
        <translation>Design</translation>
    </message>
</context>
<context>
    <name>kelvane::report</name>
    <message>
        <source>储能变压器</source>
        <translation>Flyback (energy storage) transformer</translation>
    </message>
    <message>
        <source>正激(双极性变换)</source>
        <translation>Forward (bipolar conversion)</translation>
    </message>
    <message>
        <source>RCC变压器</source>
        <translation>RCC transformer</translation>
    </message>
    <message>
        <source>，推挽全、全桥</source>
        <translation>, push-pull / full bridge</translation>
    </message>
    <message>
        <source>1 设计要求</source>
        <translation>1 Requirements</translation>
    </message>
    <message>
        <source>电路形式</source>
        <translation>Circuit</translation>
    </message>
    <message>
        <source>最低交流输入电压UacMin</source>
        <translation>Min. AC input UacMin</translation>
    </message>
    <message>
        <source>输入电压Udc</source>
        <translation>Input voltage Udc</translation>
    </message>
    <message>
        <source>工作频率F</source>
        <translation>Switching frequency F</translation>
    </message>
    <message>
        <source>开关占空比D</source>
        <translation>Duty cycle D</translation>
    </message>
    <message>
        <source>变换效率η</source>
        <translation>Efficiency η</translation>
    </message>
    <message>
        <source>输出电压V</source>
        <translation>Output voltage V</translation>
    </message>
    <message>
        <source>工作电流A</source>
        <translation>Current A</translation>
    </message>
    <message>
        <source>线路压降V</source>
        <translation>Line drop V</translation>
    </message>
    <message>
        <source>功率W</source>
        <translation>Power W</translation>
    </message>
    <message>
        <source>输出：无</source>
        <translation>Outputs: none</translation>
    </message>
    <message>
        <source>次级输出</source>
        <translation>Secondary outputs</translation>
    </message>
    <message>
        <source>总输出功率Pout</source>
        <translation>Total output power Pout</translation>
    </message>
    <message>
        <source>输入功率Pint</source>
        <translation>Input power Pint</translation>
    </message>
    <message>
        <source>2 初级侧</source>
        <translation>2 Primary side</translation>
    </message>
    <message>
        <source>全周期Ts</source>
        <translation>Period Ts</translation>
    </message>
    <message>
        <source>导通时间Ton</source>
        <translation>On-time Ton</translation>
    </message>
    <message>
        <source>Ts平均输入电流Is</source>
        <translation>Avg. input current Is</translation>
    </message>
    <message>
        <source>Ton导通电流Im</source>
        <translation>On-state current Im</translation>
    </message>
    <message>
        <source>导通初期电流Ip1</source>
        <translation>Initial on-current Ip1</translation>
    </message>
    <message>
        <source>导通峰值电流Ipk</source>
        <translation>Peak on-current Ipk</translation>
    </message>
    <message>
        <source>导通电流变化量Δi</source>
        <translation>On-current change Δi</translation>
    </message>
    <message>
        <source>原边电感量Lp</source>
        <translation>Primary inductance Lp</translation>
    </message>
    <message>
        <source>正激电路不计算Im、Ip1、Ipk。</source>
        <translation>The forward converter computes no Im, Ip1 or Ipk.</translation>
    </message>
    <message>
        <source>3 磁芯与磁材</source>
        <translation>3 Core and material</translation>
    </message>
    <message>
        <source>磁芯规格</source>
        <translation>Core</translation>
    </message>
    <message>
        <source>生产厂家</source>
        <translation>Maker</translation>
    </message>
    <message>
        <source>数据来源</source>
        <translation>Data source</translation>
    </message>
    <message>
        <source>磁芯尺寸(mm)</source>
        <translation>Core dimensions (mm)</translation>
    </message>
    <message>
        <source>中柱面积Ae</source>
        <translation>Core area Ae</translation>
    </message>
    <message>
        <source>磁路长度Le</source>
        <translation>Magnetic path length Le</translation>
    </message>
    <message>
        <source>体积Ve</source>
        <translation>Volume Ve</translation>
    </message>
    <message>
        <source>绕线面积Aw</source>
        <translation>Winding area Aw</translation>
    </message>
    <message>
        <source>匝长</source>
        <translation>Mean turn length</translation>
    </message>
    <message>
        <source>磁芯重量</source>
        <translation>Core mass</translation>
    </message>
    <message>
        <source>所需面积积AP</source>
        <translation>Area product needed AP</translation>
    </message>
    <message>
        <source>磁芯面积积AP</source>
        <translation>Core area product AP</translation>
    </message>
    <message>
        <source>磁芯</source>
        <translation>Core</translation>
    </message>
    <message>
        <source>材质名称</source>
        <translation>Material name</translation>
    </message>
    <message>
        <source>磁材类型</source>
        <translation>Material type</translation>
    </message>
    <message>
        <source>磁材厂家</source>
        <translation>Material maker</translation>
    </message>
    <message>
        <source>初始磁导率Ui</source>
        <translation>Initial permeability µi</translation>
    </message>
    <message>
        <source>饱和磁通密度Bs</source>
        <translation>Sat. flux density Bs</translation>
    </message>
    <message>
        <source>剩余磁通密度Br</source>
        <translation>Remanence Br</translation>
    </message>
    <message>
        <source>磁材</source>
        <translation>Material</translation>
    </message>
    <message>
        <source>Bm设计取值</source>
        <translation>Design Bm</translation>
    </message>
    <message>
        <source>功率损耗PL(体积)</source>
        <translation>Core loss PL (by volume)</translation>
    </message>
    <message>
        <source>功率损耗PL(重量)</source>
        <translation>Core loss PL (by mass)</translation>
    </message>
    <message>
        <source>磁芯损耗</source>
        <translation>Core loss</translation>
    </message>
    <message>
        <source>低于</source>
        <translation>below </translation>
    </message>
    <message>
        <source>不低于</source>
        <translation>at least </translation>
    </message>
    <message>
        <source>所选标准的占积率上限</source>
        <translation>fill-factor limit of the chosen standard</translation>
    </message>
    <message>
        <source>4 绕组</source>
        <translation>4 Windings</translation>
    </message>
    <message>
        <source>绕组</source>
        <translation>Winding</translation>
    </message>
    <message>
        <source>匝数(T)</source>
        <translation>Turns (T)</translation>
    </message>
    <message>
        <source>线径φ(mm)</source>
        <translation>Wire φ (mm)</translation>
    </message>
    <message>
        <source>压降Δu(V)</source>
        <translation>Drop Δu (V)</translation>
    </message>
    <message>
        <source>损耗Pcu(W)</source>
        <translation>Loss Pcu (W)</translation>
    </message>
    <message>
        <source>线重W(g)</source>
        <translation>Wire mass W (g)</translation>
    </message>
    <message>
        <source>绕组：未计算（按“变压器设计结果”计算）</source>
        <translation>Windings: not computed (computed by &quot;Design results&quot;)</translation>
    </message>
    <message>
        <source>绕组表</source>
        <translation>Windings</translation>
    </message>
    <message>
        <source>绕组用铜总量</source>
        <translation>Total copper mass</translation>
    </message>
    <message>
        <source>绕组损耗Pcu</source>
        <translation>Copper loss Pcu</translation>
    </message>
    <message>
        <source>绕组占积率</source>
        <translation>Winding fill factor</translation>
    </message>
    <message>
        <source>占积率判定</source>
        <translation>Fill factor verdict</translation>
    </message>
    <message>
        <source>电感系数AL</source>
        <translation>Inductance factor AL</translation>
    </message>
    <message>
        <source>标准AL</source>
        <translation>Standard AL</translation>
    </message>
    <message>
        <source>有效导磁率Ue</source>
        <translation>Eff. permeability µe</translation>
    </message>
    <message>
        <source>气隙GAP</source>
        <translation>Air gap GAP</translation>
    </message>
    <message>
        <source>5 损耗与温升</source>
        <translation>5 Losses and temperature rise</translation>
    </message>
    <message>
        <source>变压器总损耗PT</source>
        <translation>Total loss PT</translation>
    </message>
    <message>
        <source>变压器模拟温升</source>
        <translation>Est. temperature rise</translation>
    </message>
    <message>
        <source>绝缘等级</source>
        <translation>Insulation class</translation>
    </message>
    <message>
        <source>环境温度</source>
        <translation>Ambient temperature</translation>
    </message>
    <message>
        <source>允许温升</source>
        <translation>Allowed temperature rise</translation>
    </message>
    <message>
        <source>温升判定</source>
        <translation>Temperature rise verdict</translation>
    </message>
    <message>
        <source>不超过允许温升</source>
        <translation>within the allowed temperature rise</translation>
    </message>
    <message>
        <source>超出允许温升</source>
        <translation>above the allowed temperature rise</translation>
    </message>
    <message>
        <source>6 安全要求</source>
        <translation>6 Safety</translation>
    </message>
    <message>
        <source>安全标准</source>
        <translation>Safety standard</translation>
    </message>
    <message>
        <source>最小爬电距离</source>
        <translation>Min. creepage distance</translation>
    </message>
    <message>
        <source>开关变压器设计报告</source>
        <translation>Switching transformer design report</translation>
    </message>
    <message>
        <source>（未保存的设计）</source>
        <translation>(unsaved design)</translation>
    </message>
    <message>
        <source>未选择</source>
        <translation>Not chosen</translation>
    </message>
    <message>
        <source>未选择电路形式</source>
        <translation>No circuit chosen</translation>
    </message>
    <message>
        <source>Ts或Ton缺失或不为正</source>
        <translation>Ts or Ton is missing or not positive</translation>
    </message>
    <message>
        <source>Ton大于Ts</source>
        <translation>Ton is longer than Ts</translation>
    </message>
    <message>
        <source>Is或Δi缺失或不为正</source>
        <translation>Is or Δi is missing or not positive</translation>
    </message>
    <message>
        <source>Δi大于导通平均电流的两倍</source>
        <translation>Δi is more than twice the mean on-state current</translation>
    </message>
    <message>
        <source>Ip1或Ipk缺失或不为正</source>
        <translation>Ip1 or Ipk is missing or not positive</translation>
    </message>
    <message>
        <source>Ip1大于Ipk</source>
        <translation>Ip1 is greater than Ipk</translation>
    </message>
    <message>
        <source>正激：Ip1、Ipk由Is、Δi推得</source>
        <translation>Forward: Ip1 and Ipk derived from Is and Δi</translation>
    </message>
    <message>
        <source>RCC：临界导通，Ip1 = %1 A</source>
        <translation>RCC: boundary conduction, Ip1 = %1 A</translation>
    </message>
</context>
<context>
    <name>kelvane::session</name>
    <message>
        <source>7 设计校核</source>
        <translation>7 Design check</translation>
    </message>
    <message>
        <source>校核条件：最高交流输入 %1 V，开关管额定 %2 V，输入电容 %3，电网 %4 Hz</source>
        <translation>Check conditions: highest AC input %1 V, switch rating %2 V, bulk capacitor %3, line %4 Hz</translation>
    </message>
    <message>
        <source>校核项目</source>
        <translation>Check items</translation>
    </message>
    <message>
        <source>项目</source>
        <translation>Item</translation>
    </message>
    <message>
        <source>校核值</source>
        <translation>Check value</translation>
    </message>
    <message>
        <source>经典方法</source>
        <translation>Classic method</translation>
    </message>
    <message>
        <source>限值</source>
        <translation>Limit</translation>
    </message>
    <message>
        <source>判定</source>
        <translation>Verdict</translation>
    </message>
    <message>
        <source>【%1】%2：%3。%4</source>
        <translation>[%1] %2: %3. %4</translation>
    </message>
    <message>
        <source>13 磁芯推荐</source>
        <translation>13 Core advice</translation>
    </message>
    <message>
        <source>符合筛选条件的组合 %1 个%2</source>
        <translation>%1 pairs match the filters%2</translation>
    </message>
    <message>
        <source>，列出前 %1 个</source>
        <translation>, the first %1 listed</translation>
    </message>
    <message>
        <source>（</source>
        <translation> (</translation>
    </message>
    <message>
        <source> cm³，</source>
        <translation> cm³, </translation>
    </message>
    <message>
        <source> W）</source>
        <translation> W)</translation>
    </message>
    <message>
        <source>体积与损耗的帕累托前沿（没有别的可行组合既更小又更凉）：</source>
        <translation>Pareto front of volume and loss (no other feasible pair is both smaller and cooler): </translation>
    </message>
    <message>
        <source>无</source>
        <translation>none</translation>
    </message>
    <message>
        <source>；</source>
        <translation>; </translation>
    </message>
</context>
</TS>
