<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>AtomicSave</name>
    <message>
        <source>The picture cannot be encoded as PNG.</source>
        <translation>图片无法编码为 PNG。</translation>
    </message>
</context>
<context>
    <name>ClipExport</name>
    <message>
        <source>&amp;Export</source>
        <translation>导出(&amp;E)</translation>
    </message>
    <message>
        <source>Export track…</source>
        <translation>导出轨迹…</translation>
    </message>
    <message>
        <source>Save still…</source>
        <translation>保存截图…</translation>
    </message>
    <message>
        <source>Save still with instruments…</source>
        <translation>保存带仪表的截图…</translation>
    </message>
    <message>
        <source>The clip has no GPS track.</source>
        <translation>该片段没有 GPS 轨迹。</translation>
    </message>
    <message>
        <source>There is no picture yet: play or seek the clip first.</source>
        <translation>还没有画面：请先播放或拖动片段。</translation>
    </message>
    <message>
        <source>Export track</source>
        <translation>导出轨迹</translation>
    </message>
    <message>
        <source>Save still</source>
        <translation>保存截图</translation>
    </message>
    <message>
        <source>PNG image (*.png)</source>
        <translation>PNG 图片 (*.png)</translation>
    </message>
    <message>
        <source>Export failed</source>
        <translation>导出失败</translation>
    </message>
    <message>
        <source>%1 could not be written.</source>
        <translation>无法写入 %1。</translation>
    </message>
</context>
<context>
    <name>ClockOffsetDialog</name>
    <message>
        <source>Camera clock offset</source>
        <translation>摄像机时钟偏差</translation>
    </message>
    <message>
        <source>Move the recorded times of %1 when the camera&apos;s clock was wrong, e.g. set to another time zone. The times shown, the stills and the exported tracks use the corrected clock.</source>
        <translation>摄像机时钟有误（例如设成了其他时区）时，调整 %1 的录制时间。显示的时间、截图和导出的轨迹都使用校正后的时钟。</translation>
    </message>
    <message>
        <source>Later by</source>
        <translation>推后</translation>
    </message>
    <message>
        <source>Earlier by</source>
        <translation>提前</translation>
    </message>
    <message>
        <source>Hours and minutes</source>
        <translation>小时和分钟</translation>
    </message>
    <message>
        <source>&amp;Times:</source>
        <translation>时间(&amp;T)：</translation>
    </message>
</context>
<context>
    <name>DetailView</name>
    <message>
        <source>Position</source>
        <translation>位置</translation>
    </message>
    <message>
        <source>Distance</source>
        <translation>距离</translation>
    </message>
    <message>
        <source>Speed</source>
        <translation>速度</translation>
    </message>
</context>
<context>
    <name>InfoPlist</name>
    <message>
        <source>NoGPSInfo</source>
        <translation>此视频没有GPS信息。</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>VideoSize</source>
        <translation>个视频</translation>
    </message>
    <message>
        <source>VideoSizeOne</source>
        <translation>个视频</translation>
    </message>
    <message>
        <source>DistFromStart</source>
        <translation>距起点</translation>
    </message>
    <message>
        <source>DistToEnd</source>
        <translation>距终点</translation>
    </message>
    <message>
        <source>m</source>
        <translation>米</translation>
    </message>
    <message>
        <source>CurrentSpeed</source>
        <translation>当前速度</translation>
    </message>
</context>
<context>
    <name>LibraryFormats</name>
    <message>
        <source>Videos</source>
        <translation>视频</translation>
    </message>
</context>
<context>
    <name>LibraryTree</name>
    <message>
        <source>%1 km</source>
        <translation>%1 公里</translation>
    </message>
    <message>
        <source>Front</source>
        <translation>前置</translation>
    </message>
    <message>
        <source>Rear</source>
        <translation>后置</translation>
    </message>
    <message>
        <source>Interior</source>
        <translation>车内</translation>
    </message>
    <message>
        <source>Drive</source>
        <translation>行程</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>开始</translation>
    </message>
    <message>
        <source>End</source>
        <translation>结束</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>时长</translation>
    </message>
    <message>
        <source>Distance</source>
        <translation>距离</translation>
    </message>
    <message>
        <source>Clips</source>
        <translation>片段</translation>
    </message>
    <message>
        <source>Channels</source>
        <translation>摄像机</translation>
    </message>
    <message>
        <source>%1 is not available: its folder %2 is missing. Connect the card or disk it is on.</source>
        <translation>%1 不可用：其文件夹 %2 不存在。请连接它所在的存储卡或磁盘。</translation>
    </message>
</context>
<context>
    <name>MainWindowController</name>
    <message>
        <source>Kolvar</source>
        <translation>Kolvar</translation>
    </message>
    <message>
        <source>Drive</source>
        <translation>行程</translation>
    </message>
    <message>
        <source>Add videos to the library</source>
        <translation>将视频添加到资料库</translation>
    </message>
    <message>
        <source>+</source>
        <translation>+</translation>
    </message>
    <message>
        <source>Add every video in a folder and its subfolders, such as a camera&apos;s card</source>
        <translation>添加文件夹及其子文件夹中的所有视频，例如摄像机的存储卡</translation>
    </message>
    <message>
        <source>Add folder…</source>
        <translation>添加文件夹…</translation>
    </message>
    <message>
        <source>Remove the selected video or drive from the library (the files stay)</source>
        <translation>从资料库中移除所选视频或行程（文件保留）</translation>
    </message>
    <message>
        <source>−</source>
        <translation>−</translation>
    </message>
    <message>
        <source>&amp;Settings</source>
        <translation>设置(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Preferences…</source>
        <translation>首选项(&amp;P)…</translation>
    </message>
    <message>
        <source>Ctrl+,</source>
        <translation>Ctrl+,</translation>
    </message>
    <message>
        <source>Kolvar stopped looking in %1 after %2 videos or %3 files; drop its folders one at a time for the rest.</source>
        <translation>Kolvar 在 %1 中找到 %2 个视频或 %3 个文件后停止了查找；其余部分请逐个拖入其文件夹。</translation>
    </message>
    <message>
        <source>No videos in %1.</source>
        <translation>%1 中没有视频。</translation>
    </message>
    <message numerus="yes">
        <source>Import cancelled; %n clip(s) were added.</source>
        <translation>
            <numerusform>导入已取消；已添加 %n 个片段。</numerusform>
        </translation>
    </message>
    <message>
        <source>Add folder</source>
        <translation>添加文件夹</translation>
    </message>
    <message>
        <source>Videos are being added; add these once that is done.</source>
        <translation>正在添加视频；完成后再添加这些。</translation>
    </message>
    <message>
        <source>Looking for videos…</source>
        <translation>正在查找视频…</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Adding videos</source>
        <translation>正在添加视频</translation>
    </message>
    <message numerus="yes">
        <source>Reading %n clip(s)…</source>
        <translation>
            <numerusform>正在读取 %n 个片段…</numerusform>
        </translation>
    </message>
    <message>
        <source>Add videos</source>
        <translation>添加视频</translation>
    </message>
    <message>
        <source>Remove drive</source>
        <translation>移除行程</translation>
    </message>
    <message numerus="yes">
        <source>Remove the %n clip(s) of this drive from the library? The files stay.</source>
        <translation>
            <numerusform>从资料库中移除此行程的 %n 个片段？文件会保留。</numerusform>
        </translation>
    </message>
    <message>
        <source>The library %1 cannot be read (%2); it is left as it is. Videos you add stay for this session only.</source>
        <translation>无法读取资料库 %1（%2）；文件保持原样。添加的视频仅在本次会话中保留。</translation>
    </message>
    <message>
        <source>The library %1 cannot be saved (%2). Videos you add stay for this session only.</source>
        <translation>无法保存资料库 %1（%2）。添加的视频仅在本次会话中保留。</translation>
    </message>
    <message>
        <source>Reading the GPS data</source>
        <translation>正在读取 GPS 数据</translation>
    </message>
    <message>
        <source>File not found: %1</source>
        <translation>找不到文件：%1</translation>
    </message>
    <message>
        <source>The side file beside the video holds no position.</source>
        <translation>视频旁的附属文件中没有位置信息。</translation>
    </message>
    <message>
        <source>The video file cannot be read.</source>
        <translation>无法读取视频文件。</translation>
    </message>
    <message>
        <source>Its GPS records (%1) hold no position fix.</source>
        <translation>其 GPS 记录（%1）中没有定位。</translation>
    </message>
    <message>
        <source>Kolvar knows no GPS layout for this kind of file.</source>
        <translation>Kolvar 不认识这类文件的 GPS 格式。</translation>
    </message>
    <message>
        <source>No GPS data was found. Looked for: %1.</source>
        <translation>未找到 GPS 数据。已查找：%1。</translation>
    </message>
    <message>
        <source>no such file</source>
        <translation>文件不存在</translation>
    </message>
    <message>
        <source>not a video file</source>
        <translation>不是视频文件</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1（%2）</translation>
    </message>
    <message>
        <source>Not added: %1.</source>
        <translation>未添加：%1。</translation>
    </message>
    <message>
        <source>Camera clock offset…</source>
        <translation>摄像机时钟偏差…</translation>
    </message>
    <message>
        <source>The camera clock offset of %1 cannot be kept: %2.</source>
        <translation>无法保存 %1 的摄像机时钟偏差：%2。</translation>
    </message>
</context>
<context>
    <name>NoticeBanner</name>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
</context>
<context>
    <name>PlayerShortcuts</name>
    <message>
        <source>Play or pause</source>
        <translation>播放或暂停</translation>
    </message>
    <message>
        <source>Back 5 seconds</source>
        <translation>后退 5 秒</translation>
    </message>
    <message>
        <source>Forward 5 seconds</source>
        <translation>前进 5 秒</translation>
    </message>
    <message>
        <source>Back 30 seconds</source>
        <translation>后退 30 秒</translation>
    </message>
    <message>
        <source>Forward 30 seconds</source>
        <translation>前进 30 秒</translation>
    </message>
    <message>
        <source>Pause and go back one frame</source>
        <translation>暂停并后退一帧</translation>
    </message>
    <message>
        <source>Pause and go forward one frame</source>
        <translation>暂停并前进一帧</translation>
    </message>
    <message>
        <source>Slower (down to 0.25×)</source>
        <translation>减速（最低 0.25×）</translation>
    </message>
    <message>
        <source>Faster (up to 4×)</source>
        <translation>加速（最高 4×）</translation>
    </message>
    <message>
        <source>To the start</source>
        <translation>到开头</translation>
    </message>
    <message>
        <source>To the end</source>
        <translation>到结尾</translation>
    </message>
    <message>
        <source>Next event (a jolt marked on the seek bar)</source>
        <translation>下一个事件（进度条上标记的颠簸）</translation>
    </message>
    <message>
        <source>Previous event</source>
        <translation>上一个事件</translation>
    </message>
    <message>
        <source>Swap the front and the other camera of a drive</source>
        <translation>切换行程的前置摄像机与另一台摄像机</translation>
    </message>
    <message>
        <source>Mute or unmute</source>
        <translation>静音或取消静音</translation>
    </message>
    <message>
        <source>Full-screen video on or off (or double-click the video)</source>
        <translation>打开或关闭全屏视频（或双击视频）</translation>
    </message>
    <message>
        <source>Leave full screen</source>
        <translation>退出全屏</translation>
    </message>
    <message>
        <source>This list of keys</source>
        <translation>本按键列表</translation>
    </message>
</context>
<context>
    <name>PlayerView</name>
    <message>
        <source>The drive&apos;s other camera: double-click or press S to swap</source>
        <translation>行程的另一台摄像机：双击或按 S 切换</translation>
    </message>
    <message>
        <source>Playback speed</source>
        <translation>播放速度</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>暂停</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>播放</translation>
    </message>
    <message>
        <source>%1×</source>
        <translation>%1×</translation>
    </message>
</context>
<context>
    <name>RecordedTime</name>
    <message>
        <source>Recorded %1</source>
        <translation>录制于 %1</translation>
    </message>
</context>
<context>
    <name>RecordedTimeLabel</name>
    <message>
        <source>When the camera recorded the point shown</source>
        <translation>摄像机录制当前点的时间</translation>
    </message>
</context>
<context>
    <name>SettingsDialog</name>
    <message>
        <source>OpenStreetMap</source>
        <translation>OpenStreetMap</translation>
    </message>
    <message>
        <source>OpenTopoMap</source>
        <translation>OpenTopoMap</translation>
    </message>
    <message>
        <source>CyclOSM</source>
        <translation>CyclOSM</translation>
    </message>
    <message>
        <source>Humanitarian (OpenStreetMap France)</source>
        <translation>人道主义地图（OpenStreetMap 法国）</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>首选项</translation>
    </message>
    <message>
        <source>Custom tile service</source>
        <translation>自定义瓦片服务</translation>
    </message>
    <message>
        <source>An http or https address with {z}, {x} and {y}, and {s} for a, b or c</source>
        <translation>含 {z}、{x} 和 {y} 的 http 或 https 地址，{s} 表示 a、b 或 c</translation>
    </message>
    <message>
        <source>The credit the service asks for, as plain text</source>
        <translation>该服务要求的署名，纯文本</translation>
    </message>
    <message>
        <source>Map</source>
        <translation>地图</translation>
    </message>
    <message>
        <source>&amp;Tiles:</source>
        <translation>瓦片(&amp;T)：</translation>
    </message>
    <message>
        <source>&amp;Address:</source>
        <translation>地址(&amp;A)：</translation>
    </message>
    <message>
        <source>&amp;Credit:</source>
        <translation>署名(&amp;C)：</translation>
    </message>
    <message>
        <source>The map shows the new tiles from the next start. The China map always shows its own.</source>
        <translation>地图将在下次启动时显示新瓦片。中国地图始终显示自己的瓦片。</translation>
    </message>
    <message>
        <source>Colour the track by &amp;speed</source>
        <translation>按速度为轨迹着色(&amp;S)</translation>
    </message>
    <message>
        <source>Green at the drive&apos;s slowest, through yellow, to red at its fastest</source>
        <translation>最慢处为绿色，经黄色，最快处为红色</translation>
    </message>
    <message>
        <source>Metric (km/h, m, km)</source>
        <translation>公制（公里/小时、米、公里）</translation>
    </message>
    <message>
        <source>Imperial (mph, ft, mi)</source>
        <translation>英制（英里/小时、英尺、英里）</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>显示</translation>
    </message>
    <message>
        <source>&amp;Units:</source>
        <translation>单位(&amp;U)：</translation>
    </message>
    <message>
        <source> g</source>
        <translation> g</translation>
    </message>
    <message>
        <source>Events</source>
        <translation>事件</translation>
    </message>
    <message>
        <source>Mark &amp;jolts above:</source>
        <translation>标记超过此值的颠簸(&amp;J)：</translation>
    </message>
    <message>
        <source>G-sensor readings this far from the car at rest are marked on the seek bar. Hard braking is about 0.5 g; lower values mark bumps too.</source>
        <translation>与车辆静止时相差这么多的 G 传感器读数会标记在进度条上。急刹车约为 0.5 g；更低的值也会标记路面颠簸。</translation>
    </message>
    <message>
        <source>The tile address must start with http:// or https:// and hold {z}, {x} and {y}.</source>
        <translation>瓦片地址必须以 http:// 或 https:// 开头，并包含 {z}、{x} 和 {y}。</translation>
    </message>
    <message>
        <source>The settings cannot be saved to %1.</source>
        <translation>无法将设置保存到 %1。</translation>
    </message>
</context>
<context>
    <name>ShortcutsDialog</name>
    <message>
        <source>Keyboard Shortcuts</source>
        <translation>键盘快捷键</translation>
    </message>
    <message>
        <source>Key</source>
        <translation>按键</translation>
    </message>
    <message>
        <source>Action</source>
        <translation>操作</translation>
    </message>
</context>
<context>
    <name>TrackFileExport</name>
    <message>
        <source>GeoJSON (*.geojson *.json)</source>
        <translation>GeoJSON (*.geojson *.json)</translation>
    </message>
    <message>
        <source>CSV (*.csv)</source>
        <translation>CSV (*.csv)</translation>
    </message>
    <message>
        <source>GPX 1.1 (*.gpx)</source>
        <translation>GPX 1.1 (*.gpx)</translation>
    </message>
</context>
<context>
    <name>Units</name>
    <message>
        <source>km/h</source>
        <translation>公里/小时</translation>
    </message>
    <message>
        <source>mph</source>
        <translation>英里/小时</translation>
    </message>
    <message>
        <source>m</source>
        <translation>米</translation>
    </message>
    <message>
        <source>km</source>
        <translation>公里</translation>
    </message>
    <message>
        <source>ft</source>
        <translation>英尺</translation>
    </message>
    <message>
        <source>mi</source>
        <translation>英里</translation>
    </message>
</context>
<context>
    <name>VideoCatalogue</name>
    <message>
        <source>another Kolvar window keeps it locked</source>
        <translation>另一个 Kolvar 窗口锁定了它</translation>
    </message>
    <message>
        <source>it is not a library file</source>
        <translation>它不是资料库文件</translation>
    </message>
    <message>
        <source>the video is not in the library file</source>
        <translation>该视频不在资料库文件中</translation>
    </message>
</context>
<context>
    <name>VolumeControl</name>
    <message>
        <source>Volume</source>
        <translation>音量</translation>
    </message>
    <message>
        <source>Unmute</source>
        <translation>取消静音</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>静音</translation>
    </message>
</context>
</TS>
