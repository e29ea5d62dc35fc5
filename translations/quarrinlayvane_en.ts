<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>BuildStatRows</name>
    <message>
        <source>默认类</source>
        <translation>Default</translation>
    </message>
    <message>
        <source>未分类</source>
        <translation>Unclassified</translation>
    </message>
</context>
<context>
    <name>CBuildStatDlg</name>
    <message>
        <source>分类建筑信息</source>
        <translation>Buildings by kind</translation>
    </message>
    <message>
        <source>确认</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>类别</source>
        <translation>Kind</translation>
    </message>
    <message>
        <source>数目</source>
        <translation>Count</translation>
    </message>
    <message>
        <source>面积</source>
        <translation>Area</translation>
    </message>
</context>
<context>
    <name>CColorInputDlg</name>
    <message>
        <source>确认</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>颜色选择</source>
        <translation>Choose a colour</translation>
    </message>
</context>
<context>
    <name>CLaySetDlg</name>
    <message>
        <source>搜索时的内存使用</source>
        <translation>Memory for the search</translation>
    </message>
    <message>
        <source>回溯行数</source>
        <translation>Back lines</translation>
    </message>
    <message>
        <source>QuarrinLayvane 自动布局搜索选项</source>
        <translation>QuarrinLayvane layout search options</translation>
    </message>
    <message>
        <source>自动</source>
        <translation>Automatic</translation>
    </message>
    <message>
        <source>指定最大</source>
        <translation>Custom maximum</translation>
    </message>
    <message>
        <source>        修改此值可以控制搜索的精细度,当你搜索出来的结果浪费土地太多时可以尝试增加该值来改善搜索效果,当你的搜索时间和占用内存太大时可以减小此值来降低消耗.</source>
        <translation>        This value sets how thorough the search is: raise it when the layouts found waste too much land, lower it when the search takes too long or too much memory.</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>布局方式</source>
        <translation>Layout mode</translation>
    </message>
    <message>
        <source>回溯搜索</source>
        <translation>Back-line search</translation>
    </message>
    <message>
        <source>优化布局 (逼近最少浪费)</source>
        <translation>Optimised (least waste)</translation>
    </message>
    <message>
        <source>时间限制</source>
        <translation>Time limit</translation>
    </message>
    <message>
        <source>秒</source>
        <translation>s</translation>
    </message>
</context>
<context>
    <name>COperaterDlg</name>
    <message>
        <source>工具箱</source>
        <translation>Tools</translation>
    </message>
    <message>
        <source>放下的建筑可能产生道路时</source>
        <translation>Roads for a new building</translation>
    </message>
    <message>
        <source>地图</source>
        <translation>Map</translation>
    </message>
    <message>
        <source>布局</source>
        <translation>Layout</translation>
    </message>
    <message>
        <source>演示</source>
        <translation>Demonstrations</translation>
    </message>
    <message>
        <source>统计</source>
        <translation>Statistics</translation>
    </message>
    <message>
        <source>指针</source>
        <translation>Pointer</translation>
    </message>
    <message>
        <source>点绿</source>
        <translation>Soil</translation>
    </message>
    <message>
        <source>道路</source>
        <translation>Road</translation>
    </message>
    <message>
        <source>城墙</source>
        <translation>Wall</translation>
    </message>
    <message>
        <source>擦除</source>
        <translation>Erase</translation>
    </message>
    <message>
        <source>标尺</source>
        <translation>Ruler</translation>
    </message>
    <message>
        <source>横向房屋(3 X 2)</source>
        <translation>House (3 X 2)</translation>
    </message>
    <message>
        <source>纵向房屋(2 X 3)</source>
        <translation>House (2 X 3)</translation>
    </message>
    <message>
        <source>工厂(5 X 4)</source>
        <translation>Factory (5 X 4)</translation>
    </message>
    <message>
        <source>其它建筑</source>
        <translation>Other</translation>
    </message>
    <message>
        <source>忽略</source>
        <translation>Ignore</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Notice</translation>
    </message>
    <message>
        <source>生成道路</source>
        <translation>Make roads</translation>
    </message>
    <message>
        <source>保存地图</source>
        <translation>Save map</translation>
    </message>
    <message>
        <source>加载地图</source>
        <translation>Load map</translation>
    </message>
    <message>
        <source>导入地图</source>
        <translation>Import map</translation>
    </message>
    <message>
        <source>显示选项</source>
        <translation>Display</translation>
    </message>
    <message>
        <source>清空地图</source>
        <translation>Clear map</translation>
    </message>
    <message>
        <source>清空建筑</source>
        <translation>Clear buildings</translation>
    </message>
    <message>
        <source>清空标尺</source>
        <translation>Clear rulers</translation>
    </message>
    <message>
        <source>测试按钮</source>
        <translation>Test</translation>
    </message>
    <message>
        <source>自动布局</source>
        <translation>Auto layout</translation>
    </message>
    <message>
        <source>选区布局</source>
        <translation>Lay out selection</translation>
    </message>
    <message>
        <source>搜索选项</source>
        <translation>Search options</translation>
    </message>
    <message>
        <source>无</source>
        <translation>None</translation>
    </message>
    <message>
        <source>加载</source>
        <translation>Load</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>录制</source>
        <translation>Record</translation>
    </message>
    <message>
        <source>开始演示</source>
        <translation>Start demo</translation>
    </message>
    <message>
        <source>导出</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>QuarrinLayvane 文件(*.qlm)</source>
        <translation>QuarrinLayvane maps (*.qlm)</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>总建筑面积:</source>
        <translation>Ground:</translation>
    </message>
    <message>
        <source>已建筑面积:</source>
        <translation>Built:</translation>
    </message>
    <message>
        <source>可建筑面积:</source>
        <translation>Soil free:</translation>
    </message>
    <message>
        <source>道路总面积:</source>
        <translation>Roads:</translation>
    </message>
    <message>
        <source>工厂:</source>
        <translation>Factories:</translation>
    </message>
    <message>
        <source>房屋:</source>
        <translation>Houses:</translation>
    </message>
    <message>
        <source>其他:</source>
        <translation>Others:</translation>
    </message>
    <message>
        <source>这个文件不是地图, 没有覆盖它:
</source>
        <translation>This file is not a map; it was not overwritten:
</translation>
    </message>
    <message>
        <source>地图无法保存到:
</source>
        <translation>The map could not be saved to:
</translation>
    </message>
    <message>
        <source>撤销</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>重做</source>
        <translation>Redo</translation>
    </message>
</context>
<context>
    <name>CRecDlg</name>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>导出为演示</source>
        <translation>Export as demonstration</translation>
    </message>
    <message>
        <source>保存临时文件支持撤销</source>
        <translation>Keep temporary files for undo</translation>
    </message>
    <message>
        <source>类别</source>
        <translation>Kind</translation>
    </message>
</context>
<context>
    <name>CScenePic</name>
    <message>
        <source>导出图片...</source>
        <translation>Export image...</translation>
    </message>
    <message>
        <source>导出图片</source>
        <translation>Export image</translation>
    </message>
    <message>
        <source>地图.png</source>
        <translation>map.png</translation>
    </message>
    <message>
        <source>无法写入图片文件 %1。</source>
        <translation>Cannot write the image file %1.</translation>
    </message>
    <message>
        <source>PNG 图片 (*.png);;SVG 图片 (*.svg)</source>
        <translation>PNG images (*.png);;SVG images (*.svg)</translation>
    </message>
</context>
<context>
    <name>CSearchInfoDlg</name>
    <message>
        <source>停止搜索</source>
        <translation>Stop search</translation>
    </message>
    <message>
        <source>取消搜索</source>
        <translation>Cancel search</translation>
    </message>
    <message>
        <source>搜索信息</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>搜索已结束.</source>
        <translation>The search has ended.</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>CShowDlg</name>
    <message>
        <source>演示控制</source>
        <translation>Demonstration</translation>
    </message>
    <message>
        <source>播放</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>暂停</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>重放</source>
        <translation>Replay</translation>
    </message>
    <message>
        <source>下步</source>
        <translation>Next</translation>
    </message>
    <message>
        <source>结束演示</source>
        <translation>End demo</translation>
    </message>
</context>
<context>
    <name>CStrInputDlg</name>
    <message>
        <source>输入吧:</source>
        <translation>Enter:</translation>
    </message>
    <message>
        <source>确认</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>CViewSetDlg</name>
    <message>
        <source>缩放</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>网格显示</source>
        <translation>Grid lines</translation>
    </message>
    <message>
        <source>建筑</source>
        <translation>Buildings</translation>
    </message>
    <message>
        <source>颜色名字</source>
        <translation>Colour names</translation>
    </message>
    <message>
        <source>QuarrinLayvane 显示选项</source>
        <translation>QuarrinLayvane display options</translation>
    </message>
    <message>
        <source>缩放时保持中心位置不变</source>
        <translation>Keep the centre when zooming</translation>
    </message>
    <message>
        <source>始终</source>
        <translation>Always</translation>
    </message>
    <message>
        <source>从不</source>
        <translation>Never</translation>
    </message>
    <message>
        <source>自动</source>
        <translation>Automatic</translation>
    </message>
    <message>
        <source>默认房屋颜色:</source>
        <translation>House colour:</translation>
    </message>
    <message>
        <source>默认工厂颜色:</source>
        <translation>Factory colour:</translation>
    </message>
    <message>
        <source>默认其它颜色:</source>
        <translation>Other colour:</translation>
    </message>
    <message>
        <source>建筑区域内不显示网格</source>
        <translation>No grid inside buildings</translation>
    </message>
    <message>
        <source>不显示建筑边框</source>
        <translation>Hide building frames</translation>
    </message>
    <message>
        <source>不显示建筑物名字</source>
        <translation>Hide building names</translation>
    </message>
    <message>
        <source>添加&amp;&amp;修改</source>
        <translation>Add &amp;&amp; change</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>DemoGroupState</name>
    <message>
        <source>无</source>
        <translation>None</translation>
    </message>
    <message>
        <source> 名称: %1<byte value="xd"/>
 作者: %2 (%3)</source>
        <translation> Name: %1<byte value="xd"/>
 Author: %2 (%3)</translation>
    </message>
</context>
<context>
    <name>DemoPlayer</name>
    <message>
        <source>无效演示</source>
        <translation>Invalid demonstration</translation>
    </message>
    <message>
        <source> 名称: %1<byte value="xd"/>
 作者: %2<byte value="xd"/>
 日期: %3<byte value="xd"/>
 速度:  正常</source>
        <translation> Name: %1<byte value="xd"/>
 Author: %2<byte value="xd"/>
 Date: %3<byte value="xd"/>
 Speed:  normal</translation>
    </message>
    <message>
        <source> 进度:  无效脚本 %1 / %2 (%3%)%4</source>
        <translation> Progress:  invalid script %1 / %2 (%3%)%4</translation>
    </message>
    <message>
        <source> 进度:  结束  %1 / %2 (%3%)%4</source>
        <translation> Progress:  finished  %1 / %2 (%3%)%4</translation>
    </message>
    <message>
        <source> 进度:  播放  %1 / %2 (%3%)%4</source>
        <translation> Progress:  playing  %1 / %2 (%3%)%4</translation>
    </message>
    <message>
        <source> 进度:  暂停  %1 / %2 (%3%)%4</source>
        <translation> Progress:  paused  %1 / %2 (%3%)%4</translation>
    </message>
</context>
<context>
    <name>ImageExportDlg</name>
    <message>
        <source>整个地图</source>
        <translation>The whole map</translation>
    </message>
    <message>
        <source>视图中的部分</source>
        <translation>The part in view</translation>
    </message>
    <message>
        <source>导出图片</source>
        <translation>Export image</translation>
    </message>
    <message>
        <source> 像素</source>
        <translation> px</translation>
    </message>
    <message>
        <source>格子大小:</source>
        <translation>Cell size:</translation>
    </message>
</context>
<context>
    <name>LaySettings</name>
    <message>
        <source>自动 (你当前共有 %1 M 内存, 剩余 %2 M, 选择自动将会使用剩下内存的 2/3 约 %3 M 来用于搜索)</source>
        <translation>Automatic (you have %1 MB of memory, %2 MB free; automatic gives two thirds of the free memory, about %3 MB, to the search)</translation>
    </message>
</context>
<context>
    <name>MainDlg</name>
    <message>
        <source>&lt;b&gt;QuarrinLayvane 2.1&lt;/b&gt;&lt;br&gt;城镇建筑布局规划工具&lt;br&gt;A planner for the building layout of a town.</source>
        <translation>&lt;b&gt;QuarrinLayvane 2.1&lt;/b&gt;&lt;br&gt;A planner for the building layout of a town.</translation>
    </message>
    <message>
        <source>你刚刚修建的建筑可能会产生道路.</source>
        <translation>The building you just placed may need roads.</translation>
    </message>
</context>
<context>
    <name>MapActions</name>
    <message>
        <source>新建地图</source>
        <translation>New map</translation>
    </message>
    <message>
        <source>打开地图...</source>
        <translation>Open map...</translation>
    </message>
    <message>
        <source>保存地图</source>
        <translation>Save map</translation>
    </message>
    <message>
        <source>撤销</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>重做</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>读取这个地图文件时发现了问题, 直接保存会覆盖它原有的内容:
%1

要保存这张地图吗?</source>
        <translation>Reading this map file found problems; saving now overwrites what it held:
%1

Save this map?</translation>
    </message>
    <message>
        <source>这张地图还没有保存。

要保存它吗?</source>
        <translation>This map has not been saved.

Save it?</translation>
    </message>
    <message>
        <source>这张地图有未保存的修改:
%1

要保存它吗?</source>
        <translation>This map has unsaved changes:
%1

Save it?</translation>
    </message>
    <message>
        <source>保存...</source>
        <translation>Save...</translation>
    </message>
    <message>
        <source>不保存</source>
        <translation>Don&apos;t save</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>RecordingExport</name>
    <message>
        <source>名称不能为空。</source>
        <translation>The name must not be empty.</translation>
    </message>
    <message>
        <source>名称中有无法识别的字符。</source>
        <translation>The name has characters that cannot be read.</translation>
    </message>
    <message>
        <source>名称不能含有 / 或 \。</source>
        <translation>The name must not contain / or \.</translation>
    </message>
    <message>
        <source>名称不能是 . 或含有 ..。</source>
        <translation>The name must not be . or contain ..</translation>
    </message>
    <message>
        <source>名称不能含有控制字符或 &lt; &gt; : &quot; | ? * 。</source>
        <translation>The name must not contain control characters or &lt; &gt; : &quot; | ? *.</translation>
    </message>
    <message>
        <source>名称不能以 + 结尾。</source>
        <translation>The name must not end in +.</translation>
    </message>
    <message>
        <source>名称不能以空格开头，也不能以空格或点结尾。</source>
        <translation>The name must not start with a space or end in a space or a dot.</translation>
    </message>
    <message>
        <source>名称是系统保留的设备名。</source>
        <translation>The name is a device name the system reserves.</translation>
    </message>
    <message>
        <source>名称太长。</source>
        <translation>The name is too long.</translation>
    </message>
    <message>
        <source>作者名不能以 + 结尾。</source>
        <translation>The author&apos;s name must not end in +.</translation>
    </message>
    <message>
        <source>第 %1 条命令无法按原样写入脚本（空行或以 + 结尾），请撤销它后再导出。</source>
        <translation>Command %1 cannot be written into the script as it is (an empty line or one ending in +); undo it, then export again.</translation>
    </message>
    <message>
        <source>无法创建目录 demo/auto。</source>
        <translation>Cannot create the folder demo/auto.</translation>
    </message>
    <message>
        <source>无法复制录制的起始地图 temp/s.qlm。</source>
        <translation>Cannot copy the recording&apos;s starting map temp/s.qlm.</translation>
    </message>
    <message>
        <source>无法写入演示脚本。</source>
        <translation>Cannot write the demonstration script.</translation>
    </message>
</context>
<context>
    <name>SceneMenu</name>
    <message>
        <source>为该建筑命名</source>
        <translation>Name this building</translation>
    </message>
    <message>
        <source>修改此建筑的名字</source>
        <translation>Rename this building</translation>
    </message>
    <message>
        <source>删除选中的标尺</source>
        <translation>Delete the selected rulers</translation>
    </message>
    <message>
        <source>删除选中的建筑</source>
        <translation>Delete the selected buildings</translation>
    </message>
    <message>
        <source>修改建筑颜色</source>
        <translation>Change the colour of the buildings</translation>
    </message>
    <message>
        <source>点亮选择区域</source>
        <translation>Make the selection soil</translation>
    </message>
    <message>
        <source>擦除选择区域</source>
        <translation>Erase the selection</translation>
    </message>
    <message>
        <source>在选区内布局</source>
        <translation>Lay out the selection</translation>
    </message>
    <message>
        <source>请输入建筑物的名字: </source>
        <translation>Enter the name of the building: </translation>
    </message>
</context>
<context>
    <name>SearchProgressText</name>
    <message>
        <source>正在清理数据,请稍候%1</source>
        <translation>Clearing the data, please wait%1</translation>
    </message>
    <message>
        <source>正在整理已搜索的数据,请稍候%1</source>
        <translation>Gathering what was searched, please wait%1</translation>
    </message>
    <message>
        <source>正在进行搜索,请稍候%1</source>
        <translation>Searching, please wait%1</translation>
    </message>
    <message>
        <source>已完成 %1 / %2 个区域, 保留 %3 个状态</source>
        <translation>Done %1 / %2 areas, %3 states kept</translation>
    </message>
    <message>
        <source>正在生成初始布局</source>
        <translation>Making the first layout</translation>
    </message>
    <message>
        <source>当前布局未覆盖 %1 格, 下界 %2 格</source>
        <translation>Current layout leaves %1 cells uncovered, bound %2 cells</translation>
    </message>
    <message>
        <source>布局完成: 未覆盖 %1 格, 已证明最优.</source>
        <translation>Layout done: %1 cells uncovered, proven best.</translation>
    </message>
    <message>
        <source>布局完成: 未覆盖 %1 格, 最优布局至少未覆盖 %2 格.</source>
        <translation>Layout done: %1 cells uncovered; the best layout leaves at least %2 cells uncovered.</translation>
    </message>
</context>
<context>
    <name>TimerCenter</name>
    <message>
        <source>在处理 %1 ms Timer 的消息中出现异常！是否需要终止进程？ <byte value="xd"/>
 按 [是] 结束该进程. <byte value="xd"/>
 按 [否] 继续该进程. <byte value="xd"/>
 按 [取消] 将不再发送时间为 %1 ms 的 Timer 消息(注意这可能会导致以后的逻辑异常).</source>
        <translation>An exception occurred while handling a message of the %1 ms timer! End the process? <byte value="xd"/>
 Press [Yes] to end the process. <byte value="xd"/>
 Press [No] to let the process go on. <byte value="xd"/>
 Press [Cancel] to send no more %1 ms timer messages (later logic may go wrong).</translation>
    </message>
</context>
<context>
    <name>ToolsPanelTables</name>
    <message>
        <source>医院 3 X 4</source>
        <translation>Hospital 3 X 4</translation>
    </message>
    <message>
        <source>礼拜堂 3 X 4</source>
        <translation>Chapel 3 X 4</translation>
    </message>
    <message>
        <source>贸易事务所 3 X 4</source>
        <translation>Trading office 3 X 4</translation>
    </message>
    <message>
        <source>兵工厂 3 X 4</source>
        <translation>Arsenal 3 X 4</translation>
    </message>
    <message>
        <source>市场大厅 3 X 4</source>
        <translation>Market hall 3 X 4</translation>
    </message>
    <message>
        <source>学校 4 X 3</source>
        <translation>School 4 X 3</translation>
    </message>
    <message>
        <source>造币厂 4 X 3</source>
        <translation>Mint 4 X 3</translation>
    </message>
    <message>
        <source>商人行会 4 X 3</source>
        <translation>Merchant guild 4 X 3</translation>
    </message>
    <message>
        <source>市政大厅 3 X 6</source>
        <translation>Town hall 3 X 6</translation>
    </message>
    <message>
        <source>市政大厅 4 X 5</source>
        <translation>Town hall 4 X 5</translation>
    </message>
    <message>
        <source>教堂 3 X 6</source>
        <translation>Church 3 X 6</translation>
    </message>
    <message>
        <source>教堂 4 X 5</source>
        <translation>Church 4 X 5</translation>
    </message>
    <message>
        <source>借贷所 3 X 2</source>
        <translation>Loan office 3 X 2</translation>
    </message>
    <message>
        <source>武器商店 3 X 2</source>
        <translation>Weapon shop 3 X 2</translation>
    </message>
    <message>
        <source>酒馆 3 X 2</source>
        <translation>Tavern 3 X 2</translation>
    </message>
    <message>
        <source>酒馆的啤酒桶 2 X 2</source>
        <translation>Tavern&apos;s beer barrels 2 X 2</translation>
    </message>
    <message>
        <source>炮台 2 X 2</source>
        <translation>Gun tower 2 X 2</translation>
    </message>
    <message>
        <source>水井 1 X 1</source>
        <translation>Well 1 X 1</translation>
    </message>
    <message>
        <source>其它 1 X 1</source>
        <translation>Other 1 X 1</translation>
    </message>
    <message>
        <source>其它 2 X 2</source>
        <translation>Other 2 X 2</translation>
    </message>
</context>
</TS>
